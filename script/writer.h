#pragma once
// Produces the exact bytes of the menu script and of the editor's state file.

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "untyped.h"

namespace script {

// The window-level variables that the editor's check boxes keep.
struct SwitchValues {
    bool blnFontBold = false, blnCmd3Visible = false, blnCmd7Visible = false, blnCmd2Visible = false;
    std::int16_t intFontBold = 0, intCmd3Visible = 0, intCmd7Visible = 0, intCmd2Visible = 0;
    std::int16_t intSplash = 0, intButtonSound = 0;
    Untyped varButtonSound;  // empty until a click or a load sets it

    bool operator==(const SwitchValues&) const = default;
};

// What Compile/Save reads from the editor window before it opens a file.
struct EditorSnapshot : SwitchValues {
    std::array<std::string, 32> text;  // text[1] .. text[31]: Text1 .. Text31, Windows-1252 bytes

    // The text field that shows `keyword`'s value; throws std::out_of_range
    // for a keyword the editor has no text field for.
    std::string& field(std::string_view keyword);
    const std::string& field(std::string_view keyword) const;
};

// 77 lines each, CR LF after every line.
std::string writeMenuScript(const EditorSnapshot& snapshot, std::string_view dateTime);
std::string writeStateFile(const EditorSnapshot& snapshot, std::string_view dateTime);

// Local date and time as the head line shows it: the user's short date, a
// blank, the time; the date alone at exactly midnight. In the C/POSIX locale
// the date is ISO 8601 (2026-12-08 14:05:09).
std::string formatDateTime(const std::tm& local);

}  // namespace script
