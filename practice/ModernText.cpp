#include "ModernText.h"

#include "Ansi.h"

namespace tw::practice {

namespace {
std::string sgr(const std::string& parameters) { return "\x1b[" + parameters + "m"; }
} // namespace

std::string ModernText::sign()
{
    return sgr("38;5;214") + "A painted sign reads: \xc2\xab" "Bienvenue au caf\xc3\xa9 du March\xc3\xa9 \xe2\x80\x94 "
           "\xe6\xac\xa2\xe8\xbf\x8e\xe5\x85\x89\xe4\xb8\xb4\xc2\xbb" + std::string(ansi::kReset);
}

void ModernText::colours(ReplyBuilder& reply)
{
    reply.colouredLine(ansi::kHeading, "The sixteen colours, then the 6 x 6 x 6 cube and the greys:");
    std::string line;
    for (int n = 0; n < 16; ++n)
        line += sgr("48;5;" + std::to_string(n)) + "  ";
    reply.line(line + std::string(ansi::kReset));
    for (int row = 0; row < 6; ++row) {
        line.clear();
        for (int n = 16 + row * 36; n < 16 + (row + 1) * 36; ++n)
            line += sgr("48;5;" + std::to_string(n)) + " ";
        reply.line(line + std::string(ansi::kReset));
    }
    line.clear();
    for (int n = 232; n < 256; ++n)
        line += sgr("48;5;" + std::to_string(n)) + "  ";
    reply.line(line + std::string(ansi::kReset));

    reply.colouredLine(ansi::kHeading, "24-bit colour:");
    line.clear();
    for (int i = 0; i < 64; ++i) {
        const int r = 255 - i * 4, g = i * 4, b = i < 32 ? i * 8 : 255 - (i - 32) * 8;
        line += sgr("48;2;" + std::to_string(r) + ";" + std::to_string(g) + ";" + std::to_string(b)) + " ";
    }
    reply.line(line + std::string(ansi::kReset));
    reply.line(sgr("38;2;255;105;180") + "Hot pink" + sgr("39") + " and " + sgr("38;5;45") +
               "deep sky blue" + sgr("0") + ", " + sgr("1;38;5;2") + "bold green" + sgr("22") +
               " and plain green again" + std::string(ansi::kReset));

    reply.colouredLine(ansi::kHeading, "UTF-8:");
    reply.line("Caf\xc3\xa9, cr\xc3\xa8me br\xc3\xbbl\xc3\xa9" "e, na\xc3\xafve, \xc3\xbc" "ber, "
               "Sm\xc3\xb8rrebr\xc3\xb8" "d, 5\xe2\x82\xac \xe2\x80\x93 \xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e, "
               "\xe4\xb8\xad\xe6\x96\x87, \xe3\x81\xb2\xe3\x82\x89\xe3\x81\x8c\xe3\x81\xaa");
    reply.line("\xe2\x95\x94\xe2\x95\x90\xe2\x95\x90\xe2\x95\x97 \xe2\x94\x8c\xe2\x94\x80\xe2\x94\x90 "
               "\xce\xb1\xce\xb2\xce\xb3 \xe2\x86\x90\xe2\x86\x92 \xe2\x99\xa5");
}

} // namespace tw::practice
