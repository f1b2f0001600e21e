#pragma once
// The one-line command box as the key handling sees it.
#include <string>

namespace tw {

class CommandBox {
public:
    virtual ~CommandBox() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void selectAll() = 0;
    virtual void caretToEnd() = 0; // caret after the last character, nothing selected
    // Puts text in place of the selection, or at the caret when nothing is selected.
    virtual void insert(const std::string& text) = 0;
};

// Virtual-key codes of the keys the command line binds.
namespace vk {
constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36, Up = 38, Down = 40;
constexpr int KeyA = 65, KeyL = 76;
constexpr int Numpad0 = 96, Numpad9 = 105, Decimal = 110;
constexpr int F1 = 112, F12 = 123;
} // namespace vk

struct KeyModifiers {
    bool shift = false, ctrl = false, alt = false;
};

} // namespace tw
