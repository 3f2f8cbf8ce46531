#pragma once
// The window-level variables that frmMain's check boxes keep for Compile/Save
// and Load Data, and the rule by which a box sets them.

#include <cstdint>

#include "script/writer.h"

namespace editor {

// A check box's Value: clear, ticked, or grayed (set only by the program).
enum CheckValue : int { Unchecked = 0, Checked = 1, Grayed = 2 };

// varButtonSound stays empty until Check6 is first clicked or loaded.
struct SwitchVariables : script::SwitchValues {
    bool operator==(const SwitchVariables&) const = default;

    // What CheckN's click handler does with its box's new state: sets the
    // variables the keyword table says the box's keyword is written from.
    // A box that shows no keyword changes nothing.
    void fromCheck(int number, int value);
};

}  // namespace editor
