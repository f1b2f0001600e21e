#include "settings/SetupVars.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(SetupVars, StartValues)
{
    SetupVars v;
    EXPECT_EQ(v.EditorName, "notepad.exe");
    EXPECT_EQ(v.NoteFileName, "notes.not");
    EXPECT_TRUE(v.EchoCommand);
    EXPECT_FALSE(v.EchoEnter);
    EXPECT_FALSE(v.EchoNone);
    EXPECT_EQ(v.CommandsRetained, 10);
    EXPECT_EQ(v.ScrollbackSize, 16000);
    EXPECT_TRUE(v.AutoReconnect);
    EXPECT_TRUE(v.WordWrap);
    EXPECT_EQ(v.FontName, "Terminal");
    EXPECT_EQ(v.FontHeight, -12);
    EXPECT_EQ(v.NoteTo, "note to");
    EXPECT_EQ(v.NoteSubject, "note subject");
    EXPECT_EQ(v.NotePlus, "note +");
    EXPECT_EQ(v.NoteSend, "note send");
}

// Every field sits at its fixed offset, little-endian, with padding left zero.
TEST(SetupVars, ImagePinsEveryOffset)
{
    SetupVars v;
    v.EditorName = "vi";
    v.NoteFileName = "n.not";
    v.EchoCommand = false;
    v.EchoEnter = true;
    v.EchoNone = true;
    v.CommandsRetained = 0x1234;
    v.ScrollbackSize = 0xABCD;
    v.AutoReconnect = false;
    v.WordWrap = true;
    v.FontColor = 0x00112233;
    v.FontHeight = -13;
    v.FontName = "Mono";
    v.FontPitch = 2;
    v.FontSize = 0x0102;
    v.FontStyle = 0x0B;
    v.NoteTo = "T";
    v.NoteSubject = "S";
    v.NotePlus = "P";
    v.NoteSend = "E";
    const auto im = v.toImage();
    ASSERT_EQ(im.size(), 1596u);
    EXPECT_EQ(im[0], 2); EXPECT_EQ(im[1], 'v'); EXPECT_EQ(im[2], 'i');
    EXPECT_EQ(im[256], 5); EXPECT_EQ(im[257], 'n');
    EXPECT_EQ(im[512], 0); EXPECT_EQ(im[513], 1); EXPECT_EQ(im[514], 1); EXPECT_EQ(im[515], 0);
    EXPECT_EQ(im[516], 0x34); EXPECT_EQ(im[517], 0x12);
    EXPECT_EQ(im[518], 0xCD); EXPECT_EQ(im[519], 0xAB);
    EXPECT_EQ(im[520], 0); EXPECT_EQ(im[521], 1); EXPECT_EQ(im[522], 0); EXPECT_EQ(im[523], 0);
    EXPECT_EQ(im[524], 0x33); EXPECT_EQ(im[525], 0x22); EXPECT_EQ(im[526], 0x11); EXPECT_EQ(im[527], 0);
    EXPECT_EQ(im[528], 0xF3); EXPECT_EQ(im[529], 0xFF); EXPECT_EQ(im[530], 0xFF); EXPECT_EQ(im[531], 0xFF);
    EXPECT_EQ(im[532], 4); EXPECT_EQ(im[533], 'M');
    EXPECT_EQ(im[564], 2); EXPECT_EQ(im[565], 0);
    EXPECT_EQ(im[566], 0x02); EXPECT_EQ(im[567], 0x01);
    EXPECT_EQ(im[568], 0x0B); EXPECT_EQ(im[569], 0); EXPECT_EQ(im[570], 0); EXPECT_EQ(im[571], 0);
    EXPECT_EQ(im[572], 1); EXPECT_EQ(im[573], 'T');
    EXPECT_EQ(im[828], 1); EXPECT_EQ(im[829], 'S');
    EXPECT_EQ(im[1084], 1); EXPECT_EQ(im[1085], 'P');
    EXPECT_EQ(im[1340], 1); EXPECT_EQ(im[1341], 'E');
    EXPECT_EQ(SetupVars::fromImage(im), v);
}

TEST(SetupVars, LongTextsAreCutToTheirSlots)
{
    SetupVars v;
    v.EditorName = std::string(300, 'e');
    v.FontName = std::string(40, 'f');
    const SetupVars back = SetupVars::fromImage(v.toImage());
    EXPECT_EQ(back.EditorName, std::string(255, 'e'));
    EXPECT_EQ(back.FontName, std::string(31, 'f'));
}

TEST(SetupVars, ShortOverlayReplacesOnlyItsBytes)
{
    SetupVars source;
    source.EditorName = "emacs";
    source.NoteFileName = "other.not";
    const auto im = source.toImage();
    SetupVars v;
    v.overlayImage(im.data(), 256); // the editor slot only
    EXPECT_EQ(v.EditorName, "emacs");
    EXPECT_EQ(v.NoteFileName, "notes.not");
    EXPECT_EQ(v.ScrollbackSize, 16000);
}

} // namespace
} // namespace tw
