// Speaking the game's text: order, no line lost in a flood, the interrupt, muted texts.
#include "support/RecordingSpeech.h"
#include "tools/SpeechQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

struct Speech : ::testing::Test {
    test::RecordingSpeech engine;
    SpeechQueue queue;
    Speech()
    {
        queue.setEngine(&engine);
        queue.setOn(true);
    }
    // Lets the engine finish everything it is given; returns every line it spoke.
    std::vector<std::string> drain()
    {
        while (queue.speaking())
            queue.finished();
        std::vector<std::string> lines;
        for (const std::string& u : engine.said)
            for (std::size_t at = 0;;) {
                const std::size_t end = u.find('\n', at);
                lines.push_back(u.substr(at, end - at));
                if (end == std::string::npos)
                    break;
                at = end + 1;
            }
        return lines;
    }
};

// 1,000 lines arrive while the first is spoken: each later utterance takes everything that
// waits, so all are spoken, in order, in a few utterances.
TEST_F(Speech, AFloodIsSpokenWholeInOrderInFewUtterances)
{
    std::vector<std::string> sent;
    for (int i = 0; i < 1000; ++i) {
        sent.push_back("Line " + std::to_string(i) + ": a goblin attacks you with a rusty dagger.");
        queue.hear(sent.back() + "\n");
    }
    EXPECT_EQ(engine.said.size(), 1u);
    EXPECT_EQ(drain(), sent);
    EXPECT_LE(engine.said.size(), 40u);
    for (const std::string& u : engine.said)
        EXPECT_LE(u.size(), SpeechQueue::UtteranceLimit);
    EXPECT_EQ(queue.waitingBytes(), 0u);
}

TEST_F(Speech, AnUnfinishedLineIsSpokenAndItsRestJoinsItWhileItWaits)
{
    queue.hear("What is your name? ");
    EXPECT_EQ(engine.said, std::vector<std::string>{"What is your name? "});
    queue.hear("\n");        // the end of a line already spoken adds nothing
    queue.hear("You see a gob");
    queue.hear("lin.\nIt grins");
    queue.hear(".\n\n   \nA bat.\n");
    EXPECT_EQ(drain(), (std::vector<std::string>{"What is your name? ", "You see a goblin.", "It grins.", "A bat."}));
    // Once spoken, the rest of a line is a line of its own.
    queue.hear("The door ");
    queue.hear("opens.\n");
    EXPECT_EQ(drain().back(), "opens.");
    // An utterance full before the unfinished line: that line still waits open for its rest.
    queue.hear("first\n");
    queue.hear(std::string(1500, 'a') + "\n" + std::string(1500, 'b'));
    queue.finished();
    queue.hear("c\n");
    EXPECT_EQ(drain().back(), std::string(1500, 'b') + "c");
}

TEST_F(Speech, TheInterruptStopsAndDropsWhatWaits)
{
    queue.hear("one\n");
    queue.hear("two\nthree\n");
    queue.interrupt();
    EXPECT_EQ(engine.stops, 1);
    EXPECT_FALSE(queue.speaking());
    queue.finished(); // the stopped utterance's end comes late: nothing follows from it
    EXPECT_EQ(engine.said.size(), 1u);
    queue.interrupt(); // nothing is spoken: nothing to stop
    EXPECT_EQ(engine.stops, 1);
    queue.hear("four\n");
    EXPECT_EQ(engine.said.back(), "four");
}

TEST_F(Speech, MutedLinesAreNotSpokenAndOffIsSilent)
{
    queue.setMuted({"HUNGRY", "", "tells you"});
    queue.hear("first\n");
    queue.hear("You are hungry.\nBob tells you 'hi'\nYou are thirsty.\n");
    EXPECT_EQ(drain(), (std::vector<std::string>{"first", "You are thirsty."}));
    queue.setOn(false);
    queue.hear("unheard\n");
    queue.announce("unheard too");
    EXPECT_EQ(engine.said.size(), 2u);
    queue.setOn(true);
    queue.announce("Password entry.");
    EXPECT_EQ(engine.said.back(), "Password entry.");
}

// A game that sends for minutes faster than speech, or a line without end, keeps what waits
// bounded: the oldest lines give way and the player is told how many.
TEST_F(Speech, WhatWaitsStaysBounded)
{
    queue.hear("first\n");
    const std::string line(1000, 'x');
    for (int i = 0; i < 1100; ++i)
        queue.hear(line + "\n");
    EXPECT_LE(queue.waitingBytes(), SpeechQueue::WaitingLimit);
    queue.finished();
    const std::size_t kept = SpeechQueue::WaitingLimit / line.size();
    EXPECT_EQ(engine.said[1].rfind(std::to_string(1100 - kept) + SpeechQueue::SkippedText + "\n" + line, 0), 0u);
    queue.finished();
    EXPECT_EQ(engine.said[2].find(SpeechQueue::SkippedText), std::string::npos); // told once
    EXPECT_EQ(drain().size(), 2 + kept); // "first", the count, and the lines kept
    queue.interrupt();
    queue.hear(std::string(3 * SpeechQueue::LineLimit, 'y'));
    EXPECT_EQ(engine.said.back().size(), SpeechQueue::LineLimit);
    EXPECT_EQ(queue.waitingBytes(), 2 * SpeechQueue::LineLimit);
}

TEST(LoneKey, OnlyAPressAndReleaseWithNothingBetween)
{
    enum { Ctrl = 1, A = 2 };
    struct Row {
        std::vector<int> events; // +key pressed, -key released, 0 a mouse button
        bool lone;
    } rows[] = {
        {{+Ctrl, -Ctrl}, true},
        {{+Ctrl, +Ctrl, -Ctrl}, true}, // the press seen again on its way up the widgets
        {{+Ctrl, +A, -A, -Ctrl}, false},
        {{+Ctrl, 0, -Ctrl}, false},
        {{+A, -Ctrl}, false},
        {{-Ctrl}, false},
    };
    for (const Row& r : rows) {
        LoneKey key(Ctrl);
        bool lone = false;
        for (const int e : r.events) {
            if (e > 0)
                key.pressed(e);
            else if (e < 0)
                lone = key.released(-e);
            else
                key.otherInput();
        }
        EXPECT_EQ(lone, r.lone) << r.events.size();
        EXPECT_FALSE(key.released(Ctrl)); // the next release alone is no press
    }
}

} // namespace
} // namespace tw
