#pragma once
// Load Data's reading of the state file, done whole before the window changes:
// the file becomes a list of passes, one per field read, each holding what the
// window is to be set to after that field. The window then applies them in
// order, so every assignment still runs its field's or box's handler.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/untyped.h"
#include "switch_variables.h"

namespace editor {

// The order in which a pass sets the 31 text fields.
inline constexpr std::array<int, 31> kLoadTextOrder = {
    3, 4, 5, 6, 2, 1, 9, 10, 11, 7, 8, 12, 25, 14, 17, 20,
    23, 15, 18, 21, 24, 13, 16, 19, 22, 30, 31, 26, 27, 28, 29};

struct LoadPass {
    // A window-level value read by this pass; it is set before the fields.
    enum class Target { None, intFontBold, intCmd3Visible, intCmd7Visible, intCmd2Visible, varButtonSound };
    Target target = Target::None;
    script::Untyped value;

    std::array<std::string, 32> text;  // text[n]: what TextN shows after the pass (UTF-8)
    std::int16_t splash = 0;           // what Check2 is set to

    // Stores the value read into its window-level variable.
    void assignTo(SwitchVariables& switches) const;
};

// The check box values a pass sets, from the window-level variables as they
// stand before its first box is set (Check2 comes from the pass itself).
struct LoadedBoxes {
    int check1, check2, check3, check4, check6, check7;
};
LoadedBoxes boxesFor(const LoadPass& pass, const SwitchVariables& switches);

// Reads the whole state file (UTF-8 text) into passes. A file without any
// record gives no passes, so the window stays as it is. Throws script::Failure
// naming `shownName` for an empty or truncated file and for a switch that a
// check box cannot take; nothing is applied then.
std::vector<LoadPass> readLoadPasses(std::string text, const std::string& shownName);

}  // namespace editor
