#pragma once
// The keys of the colour view that no menu item and no command line binding uses: the text
// size (Ctrl+= or Ctrl++ larger, Ctrl+- smaller, Ctrl+0 back to normal), copying the
// selection (Ctrl+Shift+C), the find bar (Ctrl+Shift+F) and the map's walk-through, the map as
// text (Ctrl+Shift+W). Keypad 0 is the keypad's, with any modifier, so Ctrl+0 is only
// the 0 of the main keys.
namespace tw {

enum class ViewKey { None, ZoomIn, ZoomOut, ZoomReset, CopySelection, FindInView, WalkThrough };

struct ViewKeyPress {
    char key = 0; // '=', '+', '-', '0', or an upper-case letter
    bool ctrl = false, shift = false, alt = false, keypad = false;
};

ViewKey viewKeyFor(const ViewKeyPress& press);

} // namespace tw
