#include "editor/script_import.h"

#include <algorithm>
#include <map>

#include "script/cp1252.h"
#include "script/failure.h"
#include "script/field_reader.h"
#include "script/keyword_table.h"
#include "script/menu_settings.h"
#include "script/reading_rule.h"
#include "script/text_encoding.h"
#include "script/untyped.h"

namespace editor {

namespace {

constexpr std::string_view kDataPrefix = "Data\\";

std::string shown(const std::string& scriptText) { return "\"" + script::cp1252ToUtf8(scriptText) + "\""; }

// The comment lines the editor writes itself; saving writes them again.
bool editorsOwnComment(const std::string& text) {
    static const std::vector<std::string> own = [] {
        std::vector<std::string> lines = {";", ";Do NOT Place Comments on Same Line as Commands"};
        for (const script::KeywordInfo& keyword : script::keywordTable())
            if (!keyword.note.empty()) lines.push_back(";" + std::string(keyword.note));
        return lines;
    }();
    return text.starts_with(";Date Compiled-") || std::find(own.begin(), own.end(), text) != own.end();
}

bool isTruthWord(const std::string& text) {
    const std::string upper = script::upperAscii(text);
    return upper == "TRUE" || upper == "FALSE";
}

class Importer {
public:
    Importer(ImportedScript& result, const std::string& bytes) : result_(result), bytes_(bytes) {
        result_.box.fill(0);
        result_.box[5] = result_.box[8] = -1;
    }

    void take(const script::Record& record) {
        const script::Field& field = record.keywordField;
        switch (record.kind) {
            case script::Record::Kind::Skipped:
                if (!field.text.empty() && !editorsOwnComment(field.text))
                    note(field.line, "the comment " + shown(field.text) + "; saving writes the editor's own comments", true);
                return;
            case script::Record::Kind::Unmatched: unmatched(field); return;
            case script::Record::Kind::Matched: matched(record); return;
        }
    }

    void finish(const script::MenuSettings& values) {
        // The settings pass converts colours and switches as it applies them;
        // the first it cannot is where the launcher would stop.
        if (result_.refusal) return;
        std::vector<std::pair<int, std::string>> refusals;
        for (const script::KeywordInfo& keyword : script::keywordTable()) {
            if (!values.lineOf.contains(keyword.name)) continue;
            try {
                if (keyword.launcher.colour) script::colourSetting(values, keyword.name);
                else if (keyword.menuScript.form == script::ValueForm::Truth) script::truthSetting(values, keyword.name);
            } catch (const script::Failure& failure) {
                refusals.emplace_back(values.lineOf.find(keyword.name)->second, failure.report());
            }
        }
        if (!refusals.empty()) result_.refusal = std::min_element(refusals.begin(), refusals.end())->second;
    }

    void readHelpPicture(const std::string& bytes, const std::string& shownName) {
        // The help screen's own reading of its keyword; start-up skips it.
        try {
            script::FieldReader reader(bytes, shownName);
            script::readAllRecords(reader, script::helpKeywords(), [&](const script::Record& record) {
                if (record.kind == script::Record::Kind::Matched) matched(record);
            });
        } catch (const script::Failure&) {
            // Start-up's reading reports the end of the file where it matters.
        }
    }

private:
    void note(int line, const std::string& what, bool drops) {
        result_.notices.push_back({line, "line " + std::to_string(line) + ": " + what, drops});
    }

    void unmatched(const script::Field& field) {
        const bool sameLine = field.line == lastLine_;
        const std::string upper = script::upperAscii(field.text);
        const script::KeywordInfo* known = script::findKeyword(upper);
        if (known && known->helpRank > 0) {  // read by the help screen, below
            lastLine_ = field.line;
            lastWasHelp_ = true;
            lastWasUnknown_ = false;
            return;
        }
        if (sameLine && lastWasHelp_) {  // the help picture's value
            lastWasHelp_ = false;
            return;
        }
        if (sameLine && lastWasUnknown_) return;  // the unknown word's value
        if (sameLine && !lastKeyword_.empty())
            note(field.line, shown(field.text) + " after " + lastKeyword_ +
                                 "'s value is not read by the launcher; saving drops it", true);
        else
            note(field.line, shown(field.text) + " is not a keyword the launcher knows; saving drops it", true);
        lastWasUnknown_ = true;
        lastKeyword_.clear();
        lastLine_ = field.line;
    }

    void matched(const script::Record& record) {
        const script::KeywordInfo& keyword = *record.info;
        const int line = record.keywordField.line;
        const std::string name(keyword.name);
        lastKeyword_ = name;
        lastWasUnknown_ = lastWasHelp_ = false;
        lastLine_ = record.values.empty() ? line : record.values.back().line;

        std::string value = record.values.at(0).text;
        if (keyword.launcher.colour)
            value += "," + record.values.at(1).text + "," + record.values.at(2).text;
        if (const auto first = firstLine_.find(name); first != firstLine_.end())
            note(line, name + " given again (first on line " + std::to_string(first->second) +
                           "): the field holds this later value, as the launcher does; saving writes it once",
                 true);
        else
            firstLine_.emplace(name, line);

        switch (keyword.field.kind) {
            case script::EditorControl::Kind::None:
                note(line, name + " " + shown(value) + " has no field in the editor; saving drops it", true);
                return;
            case script::EditorControl::Kind::Text: text(keyword, line, value); return;
            case script::EditorControl::Kind::Check: box(keyword, line, record.values.at(0)); return;
        }
    }

    void text(const script::KeywordInfo& keyword, int line, std::string value) {
        const std::string name(keyword.name);
        const int n = keyword.field.number;
        // A caption of blanks reads as empty; the field shows the blanks, as
        // the packager typed them for "no caption".
        if (value.empty() && keyword.menuScript.form == script::ValueForm::Plain)
            value = blanksAfterKeyword(line, name);
        if (keyword.menuScript.form == script::ValueForm::DataPath) {
            if (script::upperAscii(value.substr(0, kDataPrefix.size())) == "DATA\\") {
                if (!value.starts_with(kDataPrefix))
                    note(line, name + " " + shown(value) + " is saved as Data\\" +
                                   script::cp1252ToUtf8(value.substr(kDataPrefix.size())) + ", the same file",
                         false);
                value.erase(0, kDataPrefix.size());
            } else if (!value.empty()) {
                note(line, name + " " + shown(value) + " is not below Data\\; saving writes Data\\" +
                               script::cp1252ToUtf8(value) + ", another file",
                     true);
            }
        }
        if (isNumeric(keyword) && !value.empty() && !script::isNumeric(value)) {
            note(line, name + " " + shown(value) + " is not a number; the field takes numbers only, so saving "
                              "writes it empty",
                 true);
            value.clear();
        }
        if (keyword.menuScript.form == script::ValueForm::Plain && !keyword.launcher.colour &&
            value.find(',') != std::string::npos)
            note(line, name + " " + shown(value) + " holds a comma; saving writes it unquoted, which ends the "
                              "value at the comma",
                 true);
        result_.text[static_cast<std::size_t>(n)] = script::cp1252ToUtf8(value);
    }

    void box(const script::KeywordInfo& keyword, int line, const script::Field& field) {
        const std::string name(keyword.name);
        const script::Untyped value = script::Untyped::fromField(field);
        bool ticked = false;
        std::string written;
        switch (keyword.menuScript.form) {
            case script::ValueForm::Truth:
                try {
                    ticked = script::toTruth(value);
                } catch (const script::Failure&) {
                    note(line, name + " " + shown(field.text) +
                                   " is neither True nor False; the launcher stops there, saving writes False",
                         true);
                    break;
                }
                if (!isTruthWord(field.text)) written = ticked ? "True" : "False";
                break;
            default:
                // SPLASH counts only as 1, the button sound as any number above 0.
                ticked = name == "SPLASH" ? script::isSplashSet(value) : script::readInt16(field) > 0;
                if (field.text != "0" && field.text != "1") written = ticked ? "1" : "0";
                break;
        }
        if (!written.empty())
            note(line, name + " " + shown(field.text) + " is saved as " + written + ", which the launcher reads alike",
                 false);
        result_.box[static_cast<std::size_t>(keyword.field.number)] = ticked ? 1 : 0;
    }

    // The fields the editor keeps numeric are those the launcher reads as numbers.
    static bool isNumeric(const script::KeywordInfo& keyword) {
        const script::Storage storage = keyword.launcher.storage();
        return storage == script::Storage::Int16 || storage == script::Storage::Single;
    }

    // The blanks that stand alone after "KEYWORD," on `line`, if that is all it holds.
    std::string blanksAfterKeyword(int line, const std::string& name) const {
        std::size_t start = 0;
        for (int n = 1; n < line && start < bytes_.size(); ++n) {
            start = bytes_.find_first_of("\r\n", start);
            if (start == std::string::npos) return {};
            start += bytes_.compare(start, 2, "\r\n") == 0 ? 2 : 1;
        }
        const std::size_t end = std::min(bytes_.find_first_of("\r\n", start), bytes_.size());
        const std::string text = bytes_.substr(start, end - start);
        const std::size_t comma = text.find(',');
        if (comma == std::string::npos || script::upperAscii(text.substr(0, comma)) != name) return {};
        const std::string rest = text.substr(comma + 1);
        return rest.find_first_not_of(' ') == std::string::npos ? rest : std::string();
    }

    ImportedScript& result_;
    const std::string& bytes_;
    std::map<std::string, int> firstLine_;
    std::string lastKeyword_;
    int lastLine_ = 0;
    bool lastWasUnknown_ = false, lastWasHelp_ = false;
};

}  // namespace

bool ImportedScript::dropsSomething() const { return !dropNotice().empty(); }

std::string ImportedScript::dropNotice() const {
    std::string text = encoding ? *encoding + "\n" : std::string();
    for (const ScriptNotice& notice : notices)
        if (notice.drops) text += notice.text + "\n";
    return text;
}

std::string ImportedScript::noticeText() const {
    std::string text;
    if (encoding) text += *encoding + "\n";
    if (refusal) text += "Lorvane would stop: " + *refusal + "\n";
    for (const ScriptNotice& notice : notices) text += notice.text + "\n";
    return text;
}

ImportedScript importScript(const std::string& original, const std::string& shownName) {
    ImportedScript result;
    const script::TextEncoding encoding = script::detectEncoding(original);
    const std::string bytes = script::toWindows1252(original, encoding);
    if (!encoding.isWindows1252())
        result.encoding = "The script is saved as " + encoding.name() + ": " +
                          script::whatTheLauncherReads(original, encoding) +
                          ". The fields show its text; saving converts it to Windows-1252.";
    Importer importer(result, bytes);
    script::MenuSettings values;
    values.fileName = shownName;
    try {
        script::FieldReader reader(bytes, shownName);
        script::readAllRecords(reader, script::launcherKeywords(), [&](const script::Record& record) {
            if (record.kind == script::Record::Kind::Matched) script::storeLauncherRecord(values, record);
            importer.take(record);
        });
    } catch (const script::Failure& failure) {
        result.refusal = failure.report();
    }
    importer.readHelpPicture(bytes, shownName);
    importer.finish(values);
    std::stable_sort(result.notices.begin(), result.notices.end(),
                     [](const ScriptNotice& a, const ScriptNotice& b) { return a.line < b.line; });
    return result;
}

}  // namespace editor
