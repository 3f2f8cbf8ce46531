#pragma once
// The window-level variables that frmMain's check boxes keep for Compile/Save
// and Load Data, and the rule by which each box sets them.

#include <cstdint>

#include "script/untyped.h"

namespace editor {

// A check box's Value: clear, ticked, or grayed (set only by the program).
enum CheckValue : int { Unchecked = 0, Checked = 1, Grayed = 2 };

struct SwitchVariables {
    bool blnFontBold = false, blnCmd3Visible = false, blnCmd7Visible = false, blnCmd2Visible = false;
    std::int16_t intFontBold = 0, intCmd3Visible = 0, intCmd7Visible = 0, intCmd2Visible = 0;
    std::int16_t intSplash = 0, intButtonSound = 0;
    script::Untyped varButtonSound;  // empty until Check6 is first clicked or loaded

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
