#include "launcher/folder_check.h"

#include <cstdio>
#include <functional>
#include <system_error>

#include "launcher/launcher_windows.h"
#include "launcher/start.h"
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

namespace launcher {

namespace {

constexpr const char* kClip = "data\\test.avi";
constexpr const char* kGame = "zembrot.exe";

// The working folder for as long as the check runs.
class InFolder {
public:
    explicit InFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path previous_;
};

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

bool fileExists(const std::string& windowsName) {
    std::error_code error;
    return std::filesystem::exists(script::mapWindowsPath(windowsName), error);
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
// a packager should see about it. Stops where start-up would stop.
void readRecords(const std::string& bytes, FolderCheck& check, script::MenuSettings& values) {
    script::FieldReader reader(bytes, script::kScriptInGameFolder);
    int recordLine = 0;           // line of the last record or unknown word
    bool lastWasUnknown = false;  // its value, on the same line, is no news
    std::string lastKeyword;
    do {
        const script::Record record = script::readRecord(reader, script::launcherKeywords());
        const script::Field& field = record.keywordField;
        const std::string line = "line " + std::to_string(field.line);
        if (record.kind == script::Record::Kind::Skipped) {
            if (!field.text.empty() && field.line == recordLine && !lastWasUnknown)
                check.warnings.push_back(line + ": a comment on the same line as " + lastKeyword +
                                         "; a comma in it would make the rest a keyword");
            continue;
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
            continue;
        }
        const script::KeywordInfo& keyword = *record.info;
        script::storeLauncherRecord(values, record);
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
    } while (!reader.atEnd());
}

// The help screen's own reading of its picture.
std::string helpPicture(const std::string& bytes, int& line) {
    std::string picture;
    try {
        script::FieldReader reader(bytes, script::kScriptInGameFolder);
        do {
            const script::Record record = script::readRecord(reader, script::helpKeywords());
            if (record.kind != script::Record::Kind::Matched) continue;
            picture = record.values.at(0).text;
            line = record.keywordField.line;
        } while (!reader.atEnd());
    } catch (const script::Failure&) {
        // The help screen reports it when it opens; start-up is unaffected.
    }
    return picture;
}

void checkNamedFiles(const std::string& bytes, const script::MenuSettings& values, FolderCheck& check) {
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
        if (fileExists(name)) continue;
        check.warnings.push_back("line " + std::to_string(line) + ": " + std::string(keyword.name) + " names the " +
                                 fileKind(keyword.names) + " " + shown(name) + ", which does not exist");
    }
    if (script::sortsAfterDataFolder(values.BGWAV) && script::sortsAfterDataFolder(values.BGMID))
        check.warnings.push_back("BGWAV and BGMID are both set: only the wave " + shown(values.BGWAV) + " plays");
    if (!fileExists(kClip))
        check.warnings.push_back(std::string("the intro clip ") + kClip +
                                 " does not exist: Play shows no clip");
}

void checkGame(const std::filesystem::path& folder, FolderCheck& check) {
    const platform::ProgramPlan plan = platform::planProgram(kGame, folder);
    if (plan.file.empty())
        check.warnings.push_back(std::string(kGame) + " does not exist in the game folder: the game cannot start");
    else if (plan.windowsProgram && !plan.throughWine)
        check.warnings.push_back(std::string(kGame) +
                                 " is a Windows program and Wine is not installed (no wine on PATH)");
}

// A launcher on the dry-run platform, loaded as at start-up.
struct DryLauncher {
    platform::DryRunPlatform system;
    LauncherWindows windows{system};
    std::optional<std::string> uncaught;

    explicit DryLauncher(const std::optional<std::string>& scriptBytes)
        : system(std::filesystem::current_path()) {
        windows.scriptBytes = scriptBytes;
        windows.offScreen = true;
        windows.onUncaughtFailure = [this](const script::Failure& failure) { uncaught = failure.report(); };
    }
};

FolderCheck::Sequence runSequence(const std::optional<std::string>& scriptBytes, std::string name,
                                  const std::function<void(start&)>& press) {
    DryLauncher launcher(scriptBytes);
    FolderCheck::Sequence sequence{std::move(name), {}};
    start& window = launcher.windows.loadStart();
    if (!window.isLoaded()) return sequence;
    const double pressed = launcher.system.now;
    launcher.system.events.clear();
    launcher.windows.runHandler([&] { press(window); });
    auto at = [&](double when, const std::string& what) {
        char time[32];
        std::snprintf(time, sizeof time, "%7.2f s  ", when - pressed);
        sequence.lines.push_back(time + what);
    };
    for (const auto& event : launcher.system.events) at(event.at, event.what);
    const double end = launcher.system.now;
    if (launcher.uncaught) at(end, "the launcher stops: " + *launcher.uncaught);
    if (launcher.windows.loadedOwnbox()) at(end, "the message box \"Missing File\" shows");
    if (!window.isLoaded()) at(end, launcher.windows.anyWindowLoaded() ? "the start window closes"
                                                                         : "the start window closes; the launcher ends");
    else at(end, "the start window stays open");
    return sequence;
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

FolderCheck checkGameFolder(const std::filesystem::path& folder, const std::optional<std::string>& scriptBytes) {
    InFolder inFolder(folder);
    FolderCheck check;
    std::string bytes;
    try {
        bytes = scriptBytes ? *scriptBytes
                            : script::readWholeFile(script::mapWindowsPath(script::kScriptInGameFolder),
                                                    script::kScriptInGameFolder);
    } catch (const script::Failure&) {
        // Start-up below reports it, in its own words.
    }
    if (const script::TextEncoding encoding = script::detectEncoding(bytes); !encoding.isWindows1252())
        check.wrongEncoding = "The script is saved as " + encoding.name() + ": " +
                              script::whatTheLauncherReads(bytes, encoding) +
                              ". Save it as Windows-1252 (Varno's Save to Game Folder converts it).";
    script::MenuSettings values = menu::initialStartupValues(script::kScriptInGameFolder);
    try {
        readRecords(bytes, check, values);
    } catch (const script::Failure&) {
        // Start-up stops here too, and says so below.
    }
    checkNamedFiles(bytes, values, check);
    checkGame(folder, check);

    {
        DryLauncher launcher(scriptBytes);
        try {
            launcher.windows.loadStart();
        } catch (const script::Failure& failure) {
            check.report = failure.report();
        }
    }
    if (!check.startupSucceeds()) return check;

    const bool splash = script::isSplashSet(values.SPLASH);
    const std::string mainOnly = splash ? " (the splash layout shows no such button)" : "";
    const std::string splashOnly = splash ? "" : " (only the splash layout shows this button)";
    check.sequences.push_back(runSequence(scriptBytes, "Play" + mainOnly, [](start& w) { w.menu().Command1_Click(); }));
    check.sequences.push_back(runSequence(scriptBytes, "Start" + splashOnly, [](start& w) { w.menu().Command4_Click(); }));
    check.sequences.push_back(runSequence(scriptBytes, "Setup" + mainOnly, [](start& w) { w.menu().Command2_Click(); }));
    check.sequences.push_back(runSequence(scriptBytes, "S key", [](start& w) { w.menu().Form_KeyDown(83, 0); }));
    return check;
}

}  // namespace launcher
