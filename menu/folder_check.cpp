#include "menu/folder_check.h"

#include <cstdio>
#include <functional>
#include <system_error>

#include "menu/start_menu.h"
#include "menu/startup_reading.h"
#include "platform/dry_run_platform.h"
#include "platform/program_start.h"
#include "script/cp1252.h"
#include "script/failure.h"
#include "script/field_reader.h"
#include "script/file_io.h"
#include "script/keyword_table.h"
#include "script/menu_script.h"
#include "script/reading_rule.h"
#include "script/text_encoding.h"
#include "script/windows_path.h"

namespace menu {

namespace {

std::string shown(const std::string& scriptText) { return script::cp1252ToUtf8(scriptText); }
// A long value is quoted by its start and its length, not whole.
std::string quoted(const std::string& scriptText) {
    constexpr std::size_t kLongest = 60;
    if (scriptText.size() <= kLongest) return "\"" + shown(scriptText) + "\"";
    return "\"" + shown(scriptText.substr(0, kLongest - 3)) + "...\" (" + std::to_string(scriptText.size()) +
           " characters)";
}

std::string untypedText(const script::Untyped& value) {
    if (value.isEmpty()) return "(empty)";
    return value.isNumber() ? value.toText() : quoted(value.asText());
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The value of `keyword` as the launcher keeps it now.
std::string storedValue(const script::MenuSettings& s, const script::KeywordInfo& keyword) {
    const script::LauncherStore& store = keyword.launcher;
    std::string value;
    switch (store.storage()) {
        case script::Storage::Int16: value = std::to_string(s.*store.int16); break;
        case script::Storage::Single: value = number(s.*store.single); break;
        case script::Storage::Text: value = quoted(s.*store.text); break;
        case script::Storage::Untyped: value = untypedText(s.*store.untyped); break;
        case script::Storage::Colour: {
            const script::ColourValues& c = s.*store.colour;
            value = untypedText(c.red) + ", " + untypedText(c.green) + ", " + untypedText(c.blue);
            break;
        }
        case script::Storage::None: break;
    }
    return store.used ? value : value + " (read, not used by the launcher)";
}

bool fileExists(const std::filesystem::path& folder, const std::string& windowsName) {
    std::error_code error;
    return std::filesystem::exists(script::mapWindowsPath(windowsName, folder), error);
}

const char* fileKind(script::NamedFile kind) {
    switch (kind) {
        case script::NamedFile::Picture:
        case script::NamedFile::HelpPicture: return "picture";
        case script::NamedFile::Sound: return "sound";
        case script::NamedFile::Music: return "music";
        case script::NamedFile::None: break;
    }
    return "file";
}

bool looksLikeComment(const std::string& text) {
    return text.find(';') != std::string::npos || text.find("//") != std::string::npos;
}

// Reads the script as start-up does, writing down each record taken and what
// a packager should see about it. Stops where reading stops; the settings
// passes are left to the start-up below, so a value they refuse does not
// hide the records after it.
void readRecords(const std::string& bytes, FolderCheck& check, script::MenuSettings& values) {
    int recordLine = 0;           // line of the last record or unknown word
    bool lastWasUnknown = false;  // its value, on the same line, is no news
    std::string lastKeyword;
    readStartupScript(bytes, values, [] {}, [&](const script::Record& record) {
        const script::Field& field = record.keywordField;
        const std::string line = "line " + std::to_string(field.line);
        if (record.kind == script::Record::Kind::Skipped) {
            if (!field.text.empty() && field.line == recordLine && !lastWasUnknown)
                check.warnings.push_back(line + ": a comment on the same line as " + lastKeyword +
                                         "; a comma in it would make the rest a keyword");
            return;
        }
        if (record.kind == script::Record::Kind::Unmatched) {
            const bool valueOfUnknown = lastWasUnknown && field.line == recordLine;
            // The help screen's keyword is no start-up keyword, but not unknown either.
            const bool helpKeyword = script::findKeyword(script::upperAscii(field.text)) != nullptr;
            if (!valueOfUnknown && !helpKeyword)
                check.warnings.push_back(line + ": " + quoted(field.text) +
                                         " is not a keyword the launcher knows; it is dropped");
            lastWasUnknown = !valueOfUnknown;
            recordLine = field.line;
            return;
        }
        const script::KeywordInfo& keyword = *record.info;
        check.records.push_back(line + "  " + std::string(keyword.name) + "  " + storedValue(values, keyword));
        for (const script::Field& value : record.values)
            if (!value.quoted && looksLikeComment(value.text))
                check.warnings.push_back(line + ": " + std::string(keyword.name) + "'s value " + quoted(value.text) +
                                         " looks like it holds a comment; it is read as part of the value");
        if (keyword.launcher.colour) {
            static const char* const names[] = {"red", "green", "blue"};
            for (std::size_t i = 0; i < record.values.size(); ++i) {
                const auto component = script::parseNumber(record.values[i].text);
                if (component && (*component > 255 || *component < 0))
                    check.warnings.push_back(line + ": " + std::string(keyword.name) + "'s " + names[i] + " " +
                                             record.values[i].text + " counts as " +
                                             (*component > 255 ? "255" : "0"));
            }
        }
        lastKeyword = std::string(keyword.name);
        lastWasUnknown = false;
        recordLine = record.values.empty() ? field.line : record.values.back().line;
    });
}

// The help screen's own reading of its picture.
std::string helpPicture(const std::string& bytes, int& line) {
    std::string picture;
    try {
        script::FieldReader reader(bytes, script::kScriptInGameFolder);
        script::readAllRecords(reader, script::helpKeywords(), [&](const script::Record& record) {
            if (record.kind != script::Record::Kind::Matched) return;
            picture = record.values.at(0).text;
            line = record.keywordField.line;
        });
    } catch (const script::Failure&) {
        // The help screen reports it when it opens; start-up is unaffected.
    }
    return picture;
}

void checkNamedFiles(const std::filesystem::path& folder, const std::string& bytes, const script::MenuSettings& values,
                     FolderCheck& check) {
    for (const script::KeywordInfo& keyword : script::keywordTable()) {
        if (keyword.names == script::NamedFile::None) continue;
        std::string name;
        int line = 0;
        if (keyword.launcherRank == 0) {
            name = helpPicture(bytes, line);
            if (!script::sortsAfterDataFolder(name)) continue;
        } else {
            const auto found = values.lineOf.find(keyword.name);
            if (found == values.lineOf.end()) continue;
            line = found->second;
            const script::LauncherStore& store = keyword.launcher;
            if (store.untyped) {
                if (!script::namesPicture(values.*store.untyped)) continue;
                name = (values.*store.untyped).asText();
            } else {
                name = values.*store.text;
                if (!script::sortsAfterDataFolder(name)) continue;
            }
        }
        if (fileExists(folder, name)) continue;
        check.warnings.push_back("line " + std::to_string(line) + ": " + std::string(keyword.name) + " names the " +
                                 fileKind(keyword.names) + " " + shown(name) + ", which does not exist");
    }
    if (script::sortsAfterDataFolder(values.BGWAV) && script::sortsAfterDataFolder(values.BGMID))
        check.warnings.push_back("BGWAV and BGMID are both set: only the wave " + shown(values.BGWAV) + " plays");
    if (!fileExists(folder, kIntroClip))
        check.warnings.push_back(std::string("the intro clip ") + kIntroClip +
                                 " does not exist: Play shows no clip");
}

void checkGame(const std::filesystem::path& folder, FolderCheck& check) {
    const platform::ProgramPlan plan = platform::planProgram(kGameProgram, folder);
    if (plan.file.empty())
        check.warnings.push_back(std::string(kGameProgram) + " does not exist in the game folder: the game cannot start");
    else if (plan.windowsProgram && !plan.throughWine)
        check.warnings.push_back(std::string(kGameProgram) +
                                 " is a Windows program and Wine is not installed (no wine on PATH)");
}

// The script as start-up reads it, and the files it reads them against.
struct DryRun {
    std::filesystem::path folder;
    std::string bytes;
    std::string shownName;  // the script's name in reports
    LookFiles& files;
};

// The launcher's engine on the dry-run platform, with a view that only
// records, loaded as at start-up.
struct DryStart {
    platform::DryRunPlatform system;
    RecordingView view;
    StartMenu menu{system, view};

    explicit DryStart(const DryRun& run) : system(run.folder), view(run.files, system) {
        try {
            menu.Form_Load(run.bytes, run.shownName);
        } catch (const SequenceEnded&) {
            // A key unloaded the screen while the presentation waited.
        }
    }
};

FolderCheck::Sequence runSequence(const DryRun& run, std::string name, const std::function<void(StartMenu&)>& press) {
    DryStart start(run);
    FolderCheck::Sequence sequence{std::move(name), {}};
    if (!start.menu.isLoaded()) return sequence;
    const double pressed = start.system.now;
    start.system.events.clear();
    const auto uncaught = runHandler([&] { press(start.menu); }, &start.menu);
    auto at = [&](double when, const std::string& what) {
        char time[32];
        std::snprintf(time, sizeof time, "%7.2f s  ", when - pressed);
        sequence.lines.push_back(time + what);
    };
    for (const auto& event : start.system.events) at(event.at, event.what);
    const double end = start.system.now;
    if (uncaught) at(end, "the launcher stops: " + uncaught->report());
    if (start.view.messageBox) at(end, "the message box \"" + *start.view.messageBox + "\" shows");
    // The launcher lives on while a sequence goes on or another of its windows is open.
    const bool launcherRuns = start.menu.keepsLauncherRunning() || start.view.messageBox || start.view.helpShown;
    if (!start.menu.isLoaded())
        at(end, launcherRuns ? "the start window closes" : "the start window closes; the launcher ends");
    else
        at(end, "the start window stays open");
    return sequence;
}

// The script's bytes; a failure names the file as the launcher would, run in `folder`.
std::string readScriptFile(const std::filesystem::path& file, const std::filesystem::path& folder) {
    try {
        return script::readWholeFile(file, script::kScriptInGameFolder);
    } catch (const script::Failure& failure) {
        throw script::Failure(failure.kind(), failure.detail())
            .aboutFile(script::nameOnThisSystem(file, script::kScriptInGameFolder, folder));
    }
}

}  // namespace

std::string FolderCheck::text() const {
    std::string out = wrongEncoding ? *wrongEncoding + "\n" : std::string();
    out += "Records taken:\n";
    for (const auto& record : records) out += "  " + record + "\n";
    if (records.empty()) out += "  (none)\n";
    out += "Warnings:\n";
    for (const auto& warning : warnings) out += "  " + warning + "\n";
    if (warnings.empty()) out += "  (none)\n";
    out += report ? "Start-up would stop: " + *report + "\n" : "Start-up would show the start screen.\n";
    if (!report && records.empty()) out += "No record was taken from the script: the check fails.\n";
    for (const auto& sequence : sequences) {
        out += sequence.name + ":\n";
        for (const auto& line : sequence.lines) out += "  " + line + "\n";
    }
    return out;
}

FolderCheck checkGameFolder(const std::filesystem::path& gameFolder, const PictureTest& pictures,
                            const std::optional<std::string>& scriptBytes) {
    // Named as the launcher started in it would name it: the working folder
    // it learns from the system has its symbolic links resolved.
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(gameFolder, error);
    if (error) folder = std::filesystem::absolute(gameFolder, error);
    const std::filesystem::path scriptFile = script::mapWindowsPath(script::kScriptInGameFolder, folder);
    FolderCheck check;
    std::string bytes;
    std::optional<script::Failure> unreadable;
    try {
        bytes = scriptBytes ? *scriptBytes : readScriptFile(scriptFile, folder);
    } catch (const script::Failure& failure) {
        // Start-up below reports it, in its own words.
        unreadable = failure;
    }
    if (const script::TextEncoding encoding = script::detectEncoding(bytes); !encoding.isWindows1252())
        check.wrongEncoding = "The script is saved as " + encoding.name() + ": " +
                              script::whatTheLauncherReads(bytes, encoding) +
                              ". Save it as Windows-1252 (Varno's Save to Game Folder converts it).";
    script::MenuSettings values = initialStartupValues(script::kScriptInGameFolder);
    try {
        readRecords(bytes, check, values);
    } catch (const script::Failure&) {
        // Start-up stops here too, and says so below.
    }
    checkNamedFiles(folder, bytes, values, check);
    checkGame(folder, check);

    FolderLookFiles files(folder, pictures);
    const DryRun run{folder, bytes, script::nameOnThisSystem(scriptFile, {}, folder).shown, files};
    try {
        if (unreadable) throw *unreadable;
        DryStart start(run);
    } catch (const script::Failure& failure) {
        check.report = failure.report();
    }
    if (!check.startupSucceeds()) return check;

    const bool splash = script::isSplashSet(values.SPLASH);
    const std::string mainOnly = splash ? " (the splash layout shows no such button)" : "";
    const std::string splashOnly = splash ? "" : " (only the splash layout shows this button)";
    check.sequences.push_back(runSequence(run, "Play" + mainOnly, [](StartMenu& m) { m.Command1_Click(); }));
    check.sequences.push_back(runSequence(run, "Start" + splashOnly, [](StartMenu& m) { m.Command4_Click(); }));
    check.sequences.push_back(runSequence(run, "Setup" + mainOnly, [](StartMenu& m) { m.Command2_Click(); }));
    check.sequences.push_back(runSequence(run, "S key", [](StartMenu& m) { m.Form_KeyDown(83, 0); }));
    return check;
}

}  // namespace menu
