// The terminal's text as screen readers and speech read it: a piece at a time, and followed
// as the scrollback grows and drops its old half.
#include "core/PlainText.h"
#include "core/ReadableText.h"
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

const std::string E = "\x1b";

// What the pieces of a text read one after the other add up to.
std::string readInPieces(const std::vector<std::string>& pieces, bool utf8)
{
    PlainTextStream stream(utf8);
    std::string text;
    for (const std::string& p : pieces) {
        const PlainTextStream::Piece piece = stream.read(p);
        for (std::size_t n = piece.takenBack; n > 0 && !text.empty() && text.back() != '\n'; --n) {
            text.pop_back();
            while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
                text.pop_back();
        }
        text += piece.text;
    }
    return text;
}

// Wherever a text is cut in two, the two pieces read as the whole does: a line end, a
// sequence or a character split between reads is read once, as a whole.
TEST(PlainTextStream, EverySplitReadsAsTheWhole)
{
    const std::string texts[] = {
        "one\r\ntwo\rthree\n",
        E + "[1;31mred" + E + "[0m plain " + E + "[3x broken",
        "caf\xc3\xa9 \xe4\xb8\xad\xe6\x96\x87 \xe9!",
        "abc\b\bd\r\n\bx",
        "\r" + E + "[0m\nnext",
    };
    for (const bool utf8 : {true, false})
        for (const std::string& text : texts)
            for (std::size_t cut = 0; cut <= text.size(); ++cut)
                EXPECT_EQ(readInPieces({text.substr(0, cut), text.substr(cut)}, utf8), plainText(text, utf8))
                    << utf8 << " " << text << " at " << cut;
}

TEST(PlainTextStream, ClassicReadingShowsEveryHighByteAsItsGlyph)
{
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xc3\xa9", "caf\xe2\x94\x9c\xe2\x8c\x90"},          // ├⌐ as the classic view draws them
        {E + "[3\xc3" + "x", "\xe2\x86\x90[3\xe2\x94\x9cx"},
        {E + "[1mok\xb0", "ok\xe2\x96\x91"},                      // ░
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(plainText(bytes, false), text) << bytes;
    // A byte that begins a character waits in modern mode only.
    PlainTextStream modern(true), classic(false);
    EXPECT_EQ(modern.read("a\xc3").text, "a");
    EXPECT_EQ(classic.read("a\xc3").text, "a\xe2\x94\x9c");
}

// A reader that applies every change to its copy of the text always holds the terminal's
// plain text, while the scrollback drops its older half again and again.
TEST(ReadableText, ChangesKeepACopyInStepThroughCuts)
{
    for (const bool modern : {false, true}) {
        Terminal terminal(600);
        terminal.setModern(modern);
        ReadableText readable;
        std::string copy;
        int cuts = 0;
        for (int i = 0; i < 120; ++i) {
            std::string block = E + "[1;3" + std::to_string(i % 8) + "mline " + std::to_string(i) + E + "[0m caf\xc3\xa9\r\n";
            if (i % 7 == 3)
                block += "prompt> \b\b";
            const std::size_t before = terminal.ScrollbackBuffer().size();
            terminal.WriteTerminal(block);
            const ReadableText::Change c = readable.appended(terminal.ScrollbackBuffer(), block, modern);
            ASSERT_FALSE(c.whole) << i;
            ASSERT_EQ(copy.compare(0, c.removedFront.size(), c.removedFront), 0) << i;
            copy.erase(0, c.removedFront.size());
            ASSERT_GE(copy.size(), c.removedBack.size());
            ASSERT_EQ(copy.substr(copy.size() - c.removedBack.size()), c.removedBack) << i;
            copy.resize(copy.size() - c.removedBack.size());
            copy += c.inserted;
            ASSERT_EQ(copy, plainText(terminal.ScrollbackBuffer(), modern)) << i;
            cuts += terminal.ScrollbackBuffer().size() < before + block.size();
        }
        EXPECT_GT(cuts, 5);
    }
}

TEST(ReadableText, OtherChangesAreToldAsWellAsTheyCanBe)
{
    Terminal terminal;
    ReadableText readable;
    terminal.WriteTerminal("old\r\n");
    // Followed from the first text on: only what came is told.
    ReadableText::Change c = readable.appended(terminal.ScrollbackBuffer(), "old\r\n", false);
    EXPECT_FALSE(c.whole);
    EXPECT_EQ(c.inserted, "old\n");
    // An emptied buffer: the old text went, the new came.
    terminal.replaceBuffer(8000);
    terminal.WriteTerminal("new");
    c = readable.appended(terminal.ScrollbackBuffer(), "new", false);
    EXPECT_EQ(c.removedFront, "old\n");
    EXPECT_EQ(c.inserted, "new");
    EXPECT_EQ(readable.text(terminal.ScrollbackBuffer(), false), "new");
    // Another reading reads the buffer anew.
    terminal.WriteTerminal("\xc3\xa9");
    EXPECT_EQ(readable.text(terminal.ScrollbackBuffer(), true), "new\xc3\xa9");
    EXPECT_EQ(readable.text(terminal.ScrollbackBuffer(), false), "new\xe2\x94\x9c\xe2\x8c\x90");
    readable.forget();
    EXPECT_FALSE(readable.following(false));
    terminal.WriteTerminal("!");
    c = readable.appended(terminal.ScrollbackBuffer(), "!", false);
    EXPECT_FALSE(c.whole);
    EXPECT_EQ(c.inserted, "!");
    // More backspaces than the first line holds take it all and no more.
    terminal.WriteTerminal(std::string(9, '\b'));
    c = readable.appended(terminal.ScrollbackBuffer(), std::string(9, '\b'), false);
    EXPECT_EQ(c.removedBack, "new\xe2\x94\x9c\xe2\x8c\x90!");
    // A text that is not where it should be (the terminal has closed) is a new text.
    terminal.release();
    EXPECT_TRUE(readable.appended(terminal.ScrollbackBuffer(), "late", false).whole);
}

} // namespace
} // namespace tw
