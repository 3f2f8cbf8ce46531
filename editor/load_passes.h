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

#include "script/keyword_table.h"
#include "script/untyped.h"
#include "switch_variables.h"

namespace editor {

struct LoadPass {
    // A keyword read by this pass whose value goes straight into its switch
    // variable; that is set before the controls.
    const script::KeywordInfo* switchRead = nullptr;
    script::Untyped value;

    int field = 0;       // the text field whose holder this pass changed, 0 for none
    std::string text;    // what that field shows from now on (UTF-8)
    // box[n]: what CheckN is set to, for the boxes Load Data holds values for itself.
    std::array<std::int16_t, 9> box{};
    // This pass and the ones after it that read nothing the window shows
    // (comments, blank lines, unknown words): each sets the boxes again.
    std::size_t passes = 1;

    // Stores the value read into its switch variable.
    void assignTo(SwitchVariables& switches) const;
};

// What a pass sets each box to: boxes[n] for CheckN. Boxes fed by switch
// variables take them as they stand before the pass's first box is set; the
// others come from the pass itself.
using LoadedBoxes = std::array<int, 9>;
LoadedBoxes boxesFor(const LoadPass& pass, const SwitchVariables& switches);

// Reads the whole state file (UTF-8 text) into passes; the first one also
// empties every field it does not fill. A file without any record gives no
// passes, so the window stays as it is. Throws script::Failure naming
// `shownName` for an empty or truncated file and for a switch that a check box
// cannot take; nothing is applied then.
std::vector<LoadPass> readLoadPasses(std::string text, const std::string& shownName);

}  // namespace editor
