#include "reading_rule.h"

#include <array>

#include "failure.h"

namespace script {

namespace {

constexpr std::array<Keyword, 37> kEditor{{
    {"TITLE", 1},  {"TITLE2", 1}, {"TIMEDELAY", 1}, {"TIMEDELAY3", 1}, {"BACKCOLOR", 1}, {"FNT", 1},
    {"LBL1-2", 1}, {"FONTSIZE", 1}, {"FTB", 1},     {"INFOP", 1},      {"SPLTXT", 1},    {"SPTIM", 1},
    {"SLIDE", 1},  {"CMD3V", 1},  {"CMD7V", 1},     {"SPLASH", 1},     {"CMD1BC", 1},    {"CMD2BC", 1},
    {"CMD3BC", 1}, {"CMD5BC", 1}, {"CMD1", 1},      {"CMD2", 1},       {"CMD3", 1},      {"CMD5", 1},
    {"CMD1P", 1},  {"CMD2P", 1},  {"CMD3P", 1},     {"CMD5P", 1},      {"CMD2V", 1},     {"BSND", 1},
    {"BSNDH", 1},  {"BGWAV", 1},  {"BGMID", 1},     {"PLAWV", 1},      {"SETUWV", 1},    {"HELWV", 1},
    {"STOWV", 1},
}};

constexpr std::array<Keyword, 37> kLauncher{{
    {"TIMEDELAY", 1}, {"TIMEDELAY3", 1}, {"TITLE", 1},  {"TITLE2", 1}, {"FONTSIZE", 1}, {"BACKCOLOR", 3},
    {"BSND", 1},      {"BSNDH", 1},      {"FNT", 1},    {"LBL1", 1},   {"FTB", 1},      {"CMD1", 1},
    {"CMD2", 1},      {"CMD3", 1},       {"CMD5", 1},   {"LBL1-2", 3}, {"CMD1BC", 3},   {"CMD2BC", 3},
    {"CMD5BC", 3},    {"CMD3BC", 3},     {"CMD1P", 1},  {"CMD2P", 1},  {"CMD3P", 1},    {"CMD5P", 1},
    {"CMD2V", 1},     {"CMD3V", 1},      {"CMD7V", 1},  {"SPLASH", 1}, {"SPLTXT", 1},   {"SPTIM", 1},
    {"SLIDE", 1},     {"BGMID", 1},      {"BGWAV", 1},  {"PLAWV", 1},  {"SETUWV", 1},   {"HELWV", 1},
    {"STOWV", 1},
}};

constexpr std::array<Keyword, 1> kHelp{{{"INFOP", 1}}};

}  // namespace

std::span<const Keyword> editorKeywords() { return kEditor; }
std::span<const Keyword> launcherKeywords() { return kLauncher; }
std::span<const Keyword> helpKeywords() { return kHelp; }

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (auto& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

Record readRecord(FieldReader& reader, std::span<const Keyword> table) {
    Record record;
    record.keywordField = reader.next();
    const std::string& text = record.keywordField.text;
    if (text.empty() || text[0] == ';') {
        record.kind = Record::Kind::Skipped;
        return record;
    }
    const std::string upper = upperAscii(text);
    for (const Keyword& keyword : table) {
        if (keyword.name != upper) continue;
        record.kind = Record::Kind::Matched;
        record.keyword = keyword.name;
        for (int i = 0; i < keyword.values; ++i) {
            if (reader.atEnd())
                throw Failure(FailureKind::InputPastEndOfFile,
                              keyword.values == 3 ? "needs three values" : "needs a value")
                    .inScript(reader.fileName(), record.keywordField.line)
                    .forKeyword(std::string(keyword.name));
            record.values.push_back(reader.next());
        }
        return record;
    }
    record.kind = Record::Kind::Unmatched;
    return record;
}

}  // namespace script
