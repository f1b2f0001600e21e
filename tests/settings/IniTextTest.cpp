#include "settings/IniText.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Whatever bytes a value holds, it reads back the same: file names that are not UTF-8,
// control characters, quotes, separators, blanks at either end, a leading '@'.
TEST(IniText, EveryValueReadsBackAsItsBytes)
{
    const std::string values[] = {"", "plain", "/home/p/bad\xe9name.cfg", "caf\xc3\xa9", " lead", "trail ",
                                  "a;b,c=d", "quote\" back\\slash", "line\nbreak\ttab\x01" "1", "@at", "@@",
                                  "\xff\xfe" "ab", std::string("nul\0" "7", 5), "\xe9" "A", "\xc3"};
    IniText ini;
    int n = 0;
    for (const std::string& v : values)
        ini.set("S", "k" + std::to_string(n++), v);
    ini.set("Odd [section]", "key with = and \xe9", "x");
    EXPECT_EQ(IniText::parse(ini.text()), ini) << ini.text();
}

// The form of a byte that is not UTF-8, and of what Qt's settings class writes, so that files
// written by either are read by the other.
TEST(IniText, ReadsAndWritesTheFormOfQtsSettings)
{
    IniText written;
    written.set("Options", "DefaultCFG", "/x/bad\xe9" "cafe.cfg");
    written.set("Modern", "Certificate_::1_4000", "AB:CD");
    EXPECT_EQ(written.text(), "[Modern]\nCertificate_%3A%3A1_4000=AB:CD\n\n"
                              "[Options]\nDefaultCFG=/x/bad\\xE9\\x63\\x61\\x66\\x65.cfg\n");

    const std::pair<const char*, std::optional<std::string>> lines[] = {
        {"k=/root/.config/tarnwick/practice.cfg", "/root/.config/tarnwick/practice.cfg"},
        {"k=\"a, b\"", "a, b"},
        {"k=  spaced  ", "spaced"},
        {"k=\"  kept  \"", "  kept  "},
        {"k=x ; a comment", "x"},
        {"k=\\x1f\\x41\\0", std::string("\x1f" "A\0", 3)},
        {"k=\\x20ac", "\xe2\x82\xac"},
        {"k=caf\xc3\xa9", "caf\xc3\xa9"},
        {"k=@@at", "@at"},
        {"k=@Variant(\\0\\0\\0\\x7f)", std::nullopt},
        {"k", std::nullopt},
        {"=x", std::nullopt},
    };
    for (const auto& [line, value] : lines)
        EXPECT_EQ(IniText::parse(std::string("[S]\n") + line + "\n").value("S", "k"), value) << line;
    EXPECT_EQ(IniText::parse("k=before any section\n[S]\r\nk=v\r\n").sections().size(), 1u);
    EXPECT_EQ(IniText::parse("[S\nk=in no section\n").sections().size(), 0u);
}

} // namespace
} // namespace tw
