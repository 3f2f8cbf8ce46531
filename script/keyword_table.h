#pragma once
// Every keyword of the menu script, described once: its name, how each of the
// two files writes its value, the editor control that shows it, how the
// launcher keeps it, and where each reader tests for it. The readers' tables,
// the writer's records and the editor's field map all come from here, so a new
// keyword is one new row plus the code that uses its value.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "menu_settings.h"
#include "writer.h"

namespace script {

// The editor control that shows a keyword's value: TextN or CheckN.
struct EditorControl {
    enum class Kind { None, Text, Check };
    Kind kind = Kind::None;
    int number = 0;
};

// How one file writes a keyword's value.
enum class ValueForm {
    None,      // not written
    Plain,     // the field's text
    Quoted,    // the field's text between double quotes
    DataPath,  // "Data\" and the field's text
    Truth,     // a switch's truth value: "True" or "False"
    Integer,   // a switch's integer in decimal
    AsText,    // a switch's untyped value as text: "1", "0" or nothing
};

struct FileForm {
    ValueForm form = ValueForm::None;
    // The switch variable the value comes from, for Truth, Integer and AsText.
    bool SwitchValues::*truth = nullptr;
    std::int16_t SwitchValues::*integer = nullptr;
    Untyped SwitchValues::*untyped = nullptr;
};

// The launcher's storage type for a keyword.
enum class Storage { None, Int16, Single, Text, Untyped, Colour };

// Where the launcher keeps a keyword's value: exactly one member is set.
struct LauncherStore {
    std::int16_t MenuSettings::*int16 = nullptr;
    float MenuSettings::*single = nullptr;
    std::string MenuSettings::*text = nullptr;
    Untyped MenuSettings::*untyped = nullptr;
    ColourValues MenuSettings::*colour = nullptr;
    bool used = true;  // false: read and kept, but nothing in the launcher uses it

    Storage storage() const;
};

// What kind of file a keyword's value names, if any. A start-screen picture
// is drawn with the first frame; the help picture only when Help is pressed.
enum class NamedFile { None, Picture, HelpPicture, Sound, Music };

// What Load Data keeps a state-file value in until it sets the control.
enum class LoadHolder {
    None,    // not read by Load Data
    Text,    // a string, kept as typed (no number form)
    Untyped, // an untyped value local to the load
    Window,  // straight into the switch variable the state file writes it from
};

struct KeywordInfo {
    std::string_view name;
    EditorControl field;
    FileForm menuScript;
    FileForm stateFile;
    LauncherStore launcher;
    NamedFile names;
    LoadHolder loadHolder;
    int loadOrder;     // place among Load Data's control assignments in a pass; 0 none
    int launcherRank;  // place in the launcher start-up reader's test order; 0 unknown to it
    int editorRank;    // place in Load Data's test order; 0 unknown to it
    int helpRank;      // place in the help screen reader's test order; 0 unknown to it
    std::string_view note;  // text of the comment line after the record

    bool written() const { return menuScript.form != ValueForm::None; }
    // Value fields after the keyword in the menu script: three for a colour.
    int menuScriptValues() const { return launcher.storage() == Storage::Colour ? 3 : 1; }
};

// Every keyword, in the order the editor writes them; keywords it never
// writes come last.
std::span<const KeywordInfo> keywordTable();

// The row for `name` as the table spells it, or nullptr.
const KeywordInfo* findKeyword(std::string_view name);
// The same, throwing std::out_of_range for a name the table does not hold.
const KeywordInfo& keywordInfo(std::string_view name);
// N of the TextN that shows `name`; std::out_of_range when none does.
int textFieldOf(std::string_view name);

// The keywords Load Data sets controls from, in the order it sets them.
const std::vector<const KeywordInfo*>& editorLoadOrder();

}  // namespace script
