#include "ReplyBuilder.h"

#include "Ansi.h"

namespace tw::practice {

void ReplyBuilder::line(std::string_view text)
{
    bytes_ += text;
    bytes_ += lineEnd_;
}

void ReplyBuilder::colouredLine(std::string_view colour, std::string_view text)
{
    bytes_ += colour;
    bytes_ += text;
    bytes_ += ansi::kReset;
    bytes_ += lineEnd_;
}

void ReplyBuilder::text(std::string_view text)
{
    bytes_ += text;
}

} // namespace tw::practice
