#pragma once
// Load Data's reading of the state file, done whole before the window changes.
// Every field read is one pass that sets all 31 text fields and six boxes from
// the holders; a pass changes the window only where a holder changed, so the
// file becomes a list of steps, each one record read and the passes up to the
// next, and costs no more than the file itself. The window applies the steps in
// order, so every change still runs its field's or box's handler.

#include <array>
#include <cstddef>
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

    int field = 0;       // the text field whose holder this pass changed, 0 for none
    std::string text;    // what that field shows from now on (UTF-8)
    std::int16_t splash = 0;  // what Check2 is set to
    // This pass and the ones after it that read nothing the window shows
    // (comments, blank lines, unknown words): each sets the boxes again.
    std::size_t passes = 1;

    // Stores the value read into its window-level variable.
    void assignTo(SwitchVariables& switches) const;
};

// The check box values a pass sets, from the window-level variables as they
// stand before its first box is set (Check2 comes from the pass itself).
struct LoadedBoxes {
    int check1, check2, check3, check4, check6, check7;
    bool operator==(const LoadedBoxes&) const = default;
};
LoadedBoxes boxesFor(const LoadPass& pass, const SwitchVariables& switches);

// Reads the whole state file (UTF-8 text) into passes; the first one also
// empties every field it does not fill. A file without any record gives no
// passes, so the window stays as it is. Throws script::Failure naming
// `shownName` for an empty or truncated file and for a switch that a check box
// cannot take; nothing is applied then.
std::vector<LoadPass> readLoadPasses(std::string text, const std::string& shownName);

}  // namespace editor
