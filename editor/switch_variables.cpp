#include "switch_variables.h"

namespace editor {

namespace {

// Ticked alone counts as on.
void setTicked(int value, bool& truth, std::int16_t& integer) {
    truth = value == Checked;
    integer = truth ? 1 : 0;
}

}  // namespace

void SwitchVariables::fromCheck1(int value) { setTicked(value, blnFontBold, intFontBold); }

void SwitchVariables::fromCheck2(int value) { intSplash = value > 0 ? 1 : 0; }

void SwitchVariables::fromCheck3(int value) { setTicked(value, blnCmd7Visible, intCmd7Visible); }

void SwitchVariables::fromCheck4(int value) { setTicked(value, blnCmd2Visible, intCmd2Visible); }

void SwitchVariables::fromCheck6(int value) {
    intButtonSound = value > 0 ? 1 : 0;
    varButtonSound = script::Untyped::number(intButtonSound);
}

void SwitchVariables::fromCheck7(int value) { setTicked(value, blnCmd3Visible, intCmd3Visible); }

}  // namespace editor
