#pragma once
// The window-level variables that frmMain's check boxes keep for Compile/Save
// and Load Data, and the rule by which each box sets them.

#include <cstdint>

#include "script/writer.h"

namespace editor {

// A check box's Value: clear, ticked, or grayed (set only by the program).
enum CheckValue : int { Unchecked = 0, Checked = 1, Grayed = 2 };

// varButtonSound stays empty until Check6 is first clicked or loaded.
struct SwitchVariables : script::SwitchValues {
    bool operator==(const SwitchVariables&) const = default;

    // What each box's click handler does with its new state.
    void fromCheck1(int value);  // FTB
    void fromCheck2(int value);  // SPLASH: grayed counts as on
    void fromCheck3(int value);  // CMD7V
    void fromCheck4(int value);  // CMD2V
    void fromCheck6(int value);  // BSND: grayed counts as on
    void fromCheck7(int value);  // CMD3V
};

}  // namespace editor
