#include "core/ViewKeys.h"

namespace tw {

ViewKey viewKeyFor(const ViewKeyPress& p)
{
    if (!p.ctrl || p.alt)
        return ViewKey::None;
    switch (p.key) {
    case '=':
    case '+':
        return ViewKey::ZoomIn;
    case '-':
        return p.shift ? ViewKey::None : ViewKey::ZoomOut;
    case '0':
        return p.shift || p.keypad ? ViewKey::None : ViewKey::ZoomReset;
    case 'C':
        return p.shift ? ViewKey::CopySelection : ViewKey::None;
    case 'F':
        return p.shift ? ViewKey::FindInView : ViewKey::None;
    case 'W':
        return p.shift ? ViewKey::WalkThrough : ViewKey::None;
    default:
        return ViewKey::None;
    }
}

} // namespace tw
