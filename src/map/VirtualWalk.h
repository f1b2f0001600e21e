#pragma once
// The virtual walk-through's console: short commands walk the stored map along its exits,
// jump to coordinates, look and edit, and every answer is printed on a text screen that
// always ends with the prompt "> ". Walking moves the map's real position.
#include "map/MapModel.h"

#include <string>
#include <string_view>

namespace tw {

class VirtualWalk {
public:
    explicit VirtualWalk(MapModel& map) : map_(map) {}

    // What the dialog has to do after a command.
    enum class Action { None, Quit, Help, Edit };

    static constexpr const char* HelpCommand = "EXPLORER.EXE docs\\automap_virtual.html";
    static constexpr std::size_t MaxScreenChars = 60000, MaxScreenLines = 500;

    // Opening: an empty screen showing the current room.
    void start();
    // One typed command (CmdBtnClick). For Edit the dialog opens the room editor on the
    // current position and then calls ShowRoom.
    Action run(std::string_view typed);
    void ShowRoom();

    // The screen, lines separated by "\n".
    const std::string& screen() const { return screen_; }
    std::size_t lineCount() const { return lines_; }

private:
    void add(std::string_view line);
    void echo(std::string_view line); // replaces the prompt line
    void prompt() { add("> "); }
    void move(int direction);
    void gotoCoordinates(const std::string& text);
    void CheckBuffers();

    MapModel& map_;
    std::string screen_;
    std::size_t lines_ = 0;
};

} // namespace tw
