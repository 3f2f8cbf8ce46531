#include "writer.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <time.h>

#include "keyword_table.h"

namespace script {

namespace {

struct Line {
    std::string out;
    void record(std::string_view keyword, std::string_view value) {
        out.append(keyword).append(",").append(value).append("\r\n");
    }
    void comment(std::string_view text = {}) { out.append(";").append(text).append("\r\n"); }
};

std::string valueOf(const KeywordInfo& keyword, const FileForm& form, const EditorSnapshot& s) {
    const auto fieldText = [&]() -> const std::string& {
        return s.text.at(static_cast<std::size_t>(keyword.field.number));
    };
    switch (form.form) {
        case ValueForm::Plain: return fieldText();
        case ValueForm::Quoted: return "\"" + fieldText() + "\"";
        case ValueForm::DataPath: return "Data\\" + fieldText();
        case ValueForm::Truth: return s.*form.truth ? "True" : "False";
        case ValueForm::Integer: return std::to_string(s.*form.integer);
        case ValueForm::AsText: return (s.*form.untyped).toText();
        case ValueForm::None: break;
    }
    return {};
}

// The records in the table's order; the two files differ only in value forms.
std::string writeFile(const EditorSnapshot& s, std::string_view dateTime, bool stateFile) {
    Line file;
    file.comment(std::string("Date Compiled-").append(dateTime));
    file.comment();
    file.comment("Do NOT Place Comments on Same Line as Commands");
    for (const KeywordInfo& keyword : keywordTable()) {
        if (!keyword.written()) continue;
        file.record(keyword.name, valueOf(keyword, stateFile ? keyword.stateFile : keyword.menuScript, s));
        file.comment(keyword.note);
    }
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

std::string& EditorSnapshot::field(std::string_view keyword) {
    return text.at(static_cast<std::size_t>(textFieldOf(keyword)));
}

const std::string& EditorSnapshot::field(std::string_view keyword) const {
    return text.at(static_cast<std::size_t>(textFieldOf(keyword)));
}

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
