#pragma once
// Everything the options file holds, as one value: what a load replaces and a save writes.
#include "net/Palette.h"
#include "script/AliasEntry.h"
#include "script/HotkeyTable.h"
#include "script/TriggerEntry.h"
#include "settings/MudEntry.h"
#include "settings/SetupVars.h"

namespace tw {

struct OptionsData {
    SetupVars setup;
    MudList muds;
    HotkeyTable hotkeys{};
    KeypadTable keypad = defaultKeypadTable();
    AliasList aliases;
    TriggerList triggers;
    Palette palette;

    bool operator==(const OptionsData&) const = default;
};

} // namespace tw
