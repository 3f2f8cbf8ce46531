#include "keyword_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace script {

namespace {

using M = MenuSettings;
using W = SwitchValues;

constexpr EditorControl text(int n) { return {EditorControl::Kind::Text, n}; }
constexpr EditorControl check(int n) { return {EditorControl::Kind::Check, n}; }
constexpr EditorControl none{};

constexpr FileForm plain{ValueForm::Plain};
constexpr FileForm quoted{ValueForm::Quoted};
constexpr FileForm dataPath{ValueForm::DataPath};
constexpr FileForm notWritten{};
constexpr FileForm truth(bool W::*variable) { return {ValueForm::Truth, variable, nullptr, nullptr}; }
constexpr FileForm integer(std::int16_t W::*variable) { return {ValueForm::Integer, nullptr, variable, nullptr}; }
constexpr FileForm asText(Untyped W::*variable) { return {ValueForm::AsText, nullptr, nullptr, variable}; }

constexpr LauncherStore int16(std::int16_t M::*m) { return {m, nullptr, nullptr, nullptr, nullptr}; }
constexpr LauncherStore single(float M::*m) { return {nullptr, m, nullptr, nullptr, nullptr}; }
constexpr LauncherStore string(std::string M::*m) { return {nullptr, nullptr, m, nullptr, nullptr}; }
constexpr LauncherStore unused(std::string M::*m) { return {nullptr, nullptr, m, nullptr, nullptr, false}; }
constexpr LauncherStore untyped(Untyped M::*m) { return {nullptr, nullptr, nullptr, m, nullptr}; }
constexpr LauncherStore colour(ColourValues M::*m) { return {nullptr, nullptr, nullptr, nullptr, m}; }

constexpr NamedFile noFile = NamedFile::None, picture = NamedFile::Picture, helpPicture = NamedFile::HelpPicture,
                    sound = NamedFile::Sound, music = NamedFile::Music;

constexpr LoadHolder kText = LoadHolder::Text, kUntyped = LoadHolder::Untyped, kWindow = LoadHolder::Window;

// Load order: the pass sets the text fields first (1 to 31), then the boxes.
// Ranks: L launcher start-up, E Load Data, H help screen.
// clang-format off
constexpr std::array<KeywordInfo, 38> kKeywords{{
//   name          control    menu script                    state file                     launcher keeps                 names        load holder   load  L   E   H   comment line
    {"TIMEDELAY",  text(2),   plain,                         plain,                         int16(&M::TIMEDELAY),          noFile,      kUntyped,     5,    1,  3,  0,  {}},
    {"TIMEDELAY3", text(1),   plain,                         plain,                         int16(&M::TIMEDELAY3),         noFile,      kUntyped,     6,    2,  4,  0,  {}},
    {"TITLE",      text(3),   quoted,                        quoted,                        string(&M::TITLE),             noFile,      kText,        1,    3,  1,  0,  {}},
    {"TITLE2",     text(4),   quoted,                        quoted,                        string(&M::TITLE2),            noFile,      kUntyped,     2,    4,  2,  0,  {}},
    {"BACKCOLOR",  text(5),   plain,                         quoted,                        colour(&M::BACKCOLOR),         noFile,      kUntyped,     3,    6,  5,  0,  {}},
    {"FNT",        text(9),   plain,                         plain,                         string(&M::FNT),               noFile,      kUntyped,     7,    9,  6,  0,  {}},
    {"LBL1-2",     text(10),  plain,                         quoted,                        colour(&M::LBL1_2),            noFile,      kUntyped,     8,   16,  7,  0,  {}},
    {"FONTSIZE",   text(11),  plain,                         plain,                         single(&M::FONTSIZE),          noFile,      kUntyped,     9,    5,  8,  0,  {}},
    {"FTB",        check(1),  truth(&W::blnFontBold),        integer(&W::intFontBold),      untyped(&M::FTB),              noFile,      kWindow,     32,   11,  9,  0,  {}},
    {"INFOP",      text(25),  dataPath,                      plain,                         string(&M::INFOP),             helpPicture, kUntyped,    13,    0, 10,  1,  {}},
    {"SPLTXT",     text(7),   quoted,                        quoted,                        string(&M::SPLTXT),            noFile,      kUntyped,    10,   29, 11,  0,  {}},
    {"SPTIM",      text(8),   plain,                         plain,                         int16(&M::SPTIM),              noFile,      kUntyped,    11,   30, 12,  0,  {}},
    {"SLIDE",      text(12),  plain,                         plain,                         int16(&M::SLIDE),              noFile,      kUntyped,    12,   31, 13,  0,  {}},
    {"CMD3V",      check(7),  truth(&W::blnCmd3Visible),     integer(&W::intCmd3Visible),   untyped(&M::CMD3V),            noFile,      kWindow,     37,   26, 14,  0,  {}},
    {"CMD7V",      check(3),  truth(&W::blnCmd7Visible),     integer(&W::intCmd7Visible),   untyped(&M::CMD7V),            noFile,      kWindow,     34,   27, 15,  0,  {}},
    {"SPLASH",     check(2),  integer(&W::intSplash),        integer(&W::intSplash),        untyped(&M::SPLASH),           noFile,      kUntyped,    33,   28, 16,  0,  {}},
    {"CMD1BC",     text(13),  plain,                         quoted,                        colour(&M::CMD1BC),            noFile,      kUntyped,    22,   17, 17,  0,  {}},
    {"CMD2BC",     text(16),  plain,                         quoted,                        colour(&M::CMD2BC),            noFile,      kUntyped,    23,   18, 18,  0,  {}},
    {"CMD3BC",     text(19),  plain,                         quoted,                        colour(&M::CMD3BC),            noFile,      kUntyped,    24,   20, 19,  0,  {}},
    {"CMD5BC",     text(22),  plain,                         quoted,                        colour(&M::CMD5BC),            noFile,      kUntyped,    25,   19, 20,  0,  {}},
    {"CMD1",       text(14),  plain,                         quoted,                        untyped(&M::CMD1),             noFile,      kUntyped,    14,   12, 21,  0,  {}},
    {"CMD2",       text(17),  plain,                         quoted,                        untyped(&M::CMD2),             noFile,      kUntyped,    15,   13, 22,  0,  {}},
    {"CMD3",       text(20),  plain,                         quoted,                        untyped(&M::CMD3),             noFile,      kUntyped,    16,   14, 23,  0,  {}},
    {"CMD5",       text(23),  plain,                         quoted,                        untyped(&M::CMD5),             noFile,      kUntyped,    17,   15, 24,  0,  {}},
    {"CMD1P",      text(15),  dataPath,                      quoted,                        untyped(&M::CMD1P),            picture,     kUntyped,    18,   21, 25,  0,  {}},
    {"CMD2P",      text(18),  dataPath,                      quoted,                        untyped(&M::CMD2P),            picture,     kUntyped,    19,   22, 26,  0,  {}},
    {"CMD3P",      text(21),  dataPath,                      quoted,                        untyped(&M::CMD3P),            picture,     kUntyped,    20,   23, 27,  0,  {}},
    {"CMD5P",      text(24),  dataPath,                      quoted,                        untyped(&M::CMD5P),            picture,     kUntyped,    21,   24, 28,  0,  {}},
    {"CMD2V",      check(4),  truth(&W::blnCmd2Visible),     integer(&W::intCmd2Visible),   untyped(&M::CMD2V),            noFile,      kWindow,     35,   25, 29,  0,  "Button Visible = True"},
    {"BGWAV",      text(30),  dataPath,                      plain,                         string(&M::BGWAV),             sound,       kUntyped,    26,   33, 32,  0,  {}},
    {"BGMID",      text(31),  dataPath,                      plain,                         string(&M::BGMID),             music,       kUntyped,    27,   32, 33,  0,  {}},
    {"BSND",       check(6),  integer(&W::intButtonSound),   asText(&W::varButtonSound),    int16(&M::BSND),               noFile,      kWindow,     36,    7, 30,  0,  "Sound = 1 No sound = 0"},
    {"BSNDH",      text(6),   dataPath,                      plain,                         string(&M::BSNDH),             sound,       kUntyped,     4,    8, 31,  0,  {}},
    {"PLAWV",      text(26),  dataPath,                      plain,                         unused(&M::PLAWV),             sound,       kUntyped,    28,   34, 34,  0,  {}},
    {"SETUWV",     text(27),  dataPath,                      plain,                         unused(&M::SETUWV),            sound,       kUntyped,    29,   35, 35,  0,  {}},
    {"HELWV",      text(28),  dataPath,                      plain,                         unused(&M::HELWV),             sound,       kUntyped,    30,   36, 36,  0,  {}},
    {"STOWV",      text(29),  dataPath,                      plain,                         unused(&M::STOWV),             sound,       kUntyped,    31,   37, 37,  0,  {}},
    // Honoured by the launcher, never written by the editor: only hand edits give it.
    {"LBL1",       none,      notWritten,                    notWritten,                    string(&M::LBL1),              noFile,      LoadHolder::None, 0, 10, 0, 0,  {}},
}};
// clang-format on

}  // namespace

Storage LauncherStore::storage() const {
    if (int16) return Storage::Int16;
    if (single) return Storage::Single;
    if (text) return Storage::Text;
    if (untyped) return Storage::Untyped;
    if (colour) return Storage::Colour;
    return Storage::None;
}

std::span<const KeywordInfo> keywordTable() { return kKeywords; }

const KeywordInfo* findKeyword(std::string_view name) {
    for (const KeywordInfo& row : kKeywords)
        if (row.name == name) return &row;
    return nullptr;
}

const KeywordInfo& keywordInfo(std::string_view name) {
    if (const KeywordInfo* row = findKeyword(name)) return *row;
    throw std::out_of_range("no keyword " + std::string(name));
}

int textFieldOf(std::string_view name) {
    const KeywordInfo& row = keywordInfo(name);
    if (row.field.kind != EditorControl::Kind::Text)
        throw std::out_of_range("no text field shows " + std::string(name));
    return row.field.number;
}

const std::vector<const KeywordInfo*>& editorLoadOrder() {
    static const std::vector<const KeywordInfo*> order = [] {
        std::vector<const KeywordInfo*> rows;
        for (const KeywordInfo& row : kKeywords)
            if (row.loadOrder > 0) rows.push_back(&row);
        std::sort(rows.begin(), rows.end(),
                  [](const KeywordInfo* a, const KeywordInfo* b) { return a->loadOrder < b->loadOrder; });
        return rows;
    }();
    return order;
}

}  // namespace script
