#include "writer.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <time.h>

namespace script {

namespace {

enum class Form { Plain, Quoted, DataPath };

struct Line {
    std::string out;
    void record(std::string_view keyword, std::string_view value) {
        out.append(keyword).append(",").append(value).append("\r\n");
    }
    void comment(std::string_view text = {}) { out.append(";").append(text).append("\r\n"); }
};

std::string form(Form f, const std::string& text) {
    switch (f) {
        case Form::Plain: return text;
        case Form::Quoted: return "\"" + text + "\"";
        case Form::DataPath: return "Data\\" + text;
    }
    return text;
}

std::string truth(bool value) { return value ? "True" : "False"; }

// The 37 records in output order; the two files differ only in value forms.
std::string writeFile(const EditorSnapshot& s, std::string_view dateTime, bool stateFile) {
    const auto& t = s.text;
    const Form pathOrPlain = stateFile ? Form::Plain : Form::DataPath;
    const Form pathOrQuoted = stateFile ? Form::Quoted : Form::DataPath;
    const Form plainOrQuoted = stateFile ? Form::Quoted : Form::Plain;

    Line file;
    file.comment(std::string("Date Compiled-").append(dateTime));
    file.comment();
    file.comment("Do NOT Place Comments on Same Line as Commands");

    auto rec = [&file](std::string_view keyword, const std::string& value, std::string_view note = {}) {
        file.record(keyword, value);
        file.comment(note);
    };
    auto flag = [stateFile](bool b, std::int16_t i) { return stateFile ? std::to_string(i) : truth(b); };

    rec("TIMEDELAY", t[2]);
    rec("TIMEDELAY3", t[1]);
    rec("TITLE", form(Form::Quoted, t[3]));
    rec("TITLE2", form(Form::Quoted, t[4]));
    rec("BACKCOLOR", form(plainOrQuoted, t[5]));
    rec("FNT", t[9]);
    rec("LBL1-2", form(plainOrQuoted, t[10]));
    rec("FONTSIZE", t[11]);
    rec("FTB", flag(s.blnFontBold, s.intFontBold));
    rec("INFOP", form(pathOrPlain, t[25]));
    rec("SPLTXT", form(Form::Quoted, t[7]));
    rec("SPTIM", t[8]);
    rec("SLIDE", t[12]);
    rec("CMD3V", flag(s.blnCmd3Visible, s.intCmd3Visible));
    rec("CMD7V", flag(s.blnCmd7Visible, s.intCmd7Visible));
    rec("SPLASH", std::to_string(s.intSplash));
    rec("CMD1BC", form(plainOrQuoted, t[13]));
    rec("CMD2BC", form(plainOrQuoted, t[16]));
    rec("CMD3BC", form(plainOrQuoted, t[19]));
    rec("CMD5BC", form(plainOrQuoted, t[22]));
    rec("CMD1", form(plainOrQuoted, t[14]));
    rec("CMD2", form(plainOrQuoted, t[17]));
    rec("CMD3", form(plainOrQuoted, t[20]));
    rec("CMD5", form(plainOrQuoted, t[23]));
    rec("CMD1P", form(pathOrQuoted, t[15]));
    rec("CMD2P", form(pathOrQuoted, t[18]));
    rec("CMD3P", form(pathOrQuoted, t[21]));
    rec("CMD5P", form(pathOrQuoted, t[24]));
    rec("CMD2V", flag(s.blnCmd2Visible, s.intCmd2Visible), "Button Visible = True");
    rec("BGWAV", form(pathOrPlain, t[30]));
    rec("BGMID", form(pathOrPlain, t[31]));
    rec("BSND", stateFile ? s.varButtonSound.toText() : std::to_string(s.intButtonSound),
        "Sound = 1 No sound = 0");
    rec("BSNDH", form(pathOrPlain, t[6]));
    rec("PLAWV", form(pathOrPlain, t[26]));
    rec("SETUWV", form(pathOrPlain, t[27]));
    rec("HELWV", form(pathOrPlain, t[28]));
    rec("STOWV", form(pathOrPlain, t[29]));
    return file.out;
}

// The locale the user chose for dates, or nothing for the C/POSIX default.
std::string userTimeLocale() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return {};
}

}  // namespace

std::string writeMenuScript(const EditorSnapshot& snapshot, std::string_view dateTime) {
    return writeFile(snapshot, dateTime, false);
}

std::string writeStateFile(const EditorSnapshot& snapshot, std::string_view dateTime) {
    return writeFile(snapshot, dateTime, true);
}

std::string formatDateTime(const std::tm& local) {
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    const std::string name = userTimeLocale();
    locale_t locale = (name.empty() || name == "C" || name == "POSIX")
                          ? locale_t(0)
                          : newlocale(LC_TIME_MASK, name.c_str(), locale_t(0));
    char buffer[128];
    std::size_t n;
    if (locale) {
        n = strftime_l(buffer, sizeof buffer, midnight ? "%x" : "%x %X", &local, locale);
        freelocale(locale);
    } else {
        n = std::strftime(buffer, sizeof buffer, midnight ? "%Y-%m-%d" : "%Y-%m-%d %H:%M:%S", &local);
    }
    return std::string(buffer, n);
}

}  // namespace script
