#pragma once
// A game folder's menu script read into the editor's fields, by the
// launcher's own reading rules, with everything the fields cannot hold
// listed at its line: what it is, and what saving would do with it.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace editor {

struct ScriptNotice {
    int line = 0;
    std::string text;    // "line 12: LBL1 \"Hi\" has no field; saving drops it" (UTF-8)
    bool drops = false;  // saving loses something the script holds
};

struct ImportedScript {
    std::array<std::string, 32> text;  // text[n]: what TextN shows (UTF-8)
    // box[n]: CheckN ticked (1) or not (0), for the boxes that save a keyword;
    // -1 for the two placeholders, which keep their state.
    std::array<int, 9> box{};
    std::vector<ScriptNotice> notices;  // in the order of their lines
    // What the launcher would stop with at start-up, if anything; the fields
    // hold what was read up to there.
    std::optional<std::string> refusal;
    // The script is not in Windows-1252: what it is, what the launcher reads
    // instead, and that saving converts it. The fields hold the text decoded.
    std::optional<std::string> encoding;

    bool dropsSomething() const;
    // The lines of the notice that saving would change, for Save to ask about.
    std::string dropNotice() const;
    // The notice as one text for a person: the launcher's report first.
    std::string noticeText() const;
};

// Reads the script `bytes`, reported as `shownName`.
ImportedScript importScript(const std::string& bytes, const std::string& shownName);

}  // namespace editor
