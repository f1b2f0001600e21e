#include "ReplyBuilder.h"

#include "Ansi.h"

namespace tw::practice {

void ReplyBuilder::append(std::string_view text)
{
    if (!telnet_) {
        bytes_ += text;
        return;
    }
    for (const char c : text) {
        bytes_ += c;
        if (c == '\xff')
            bytes_ += c;
    }
}

void ReplyBuilder::line(std::string_view text)
{
    append(text);
    bytes_ += lineEnd_;
}

void ReplyBuilder::colouredLine(std::string_view colour, std::string_view text)
{
    bytes_ += colour;
    append(text);
    bytes_ += ansi::kReset;
    bytes_ += lineEnd_;
}

void ReplyBuilder::text(std::string_view text)
{
    append(text);
}

} // namespace tw::practice
