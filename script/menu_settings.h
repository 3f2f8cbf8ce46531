#pragma once
// One menu script in memory: a member per keyword, as the launcher reads it.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "reading_rule.h"
#include "untyped.h"

namespace script {

struct ColourValues {
    Untyped red, green, blue;
};

struct MenuSettings {
    std::int16_t TIMEDELAY = 0, TIMEDELAY3 = 0, SPTIM = 0, SLIDE = 0, BSND = 0;
    float FONTSIZE = 0;
    std::string TITLE, TITLE2, FNT, SPLTXT, LBL1;
    std::string INFOP, BGWAV, BGMID, BSNDH, PLAWV, SETUWV, HELWV, STOWV;
    Untyped CMD1P, CMD2P, CMD3P, CMD5P;
    Untyped CMD1, CMD2, CMD3, CMD5;
    ColourValues BACKCOLOR, LBL1_2, CMD1BC, CMD2BC, CMD3BC, CMD5BC;
    Untyped FTB, CMD2V, CMD3V, CMD7V;
    Untyped SPLASH;

    // Where each keyword was last read, so a value that fails to convert
    // later can be reported at its line.
    std::string fileName;
    std::map<std::string, int, std::less<>> lineOf;
};

// Stores a Matched record of launcherKeywords() into `settings`, converting
// by the keyword's type. Failures carry the file, line and keyword.
void storeLauncherRecord(MenuSettings& settings, const Record& record);

// The settings pass's conversions, failing with the keyword and its line:
// colour of "BACKCOLOR", "LBL1-2", "CMD1BC", "CMD2BC", "CMD3BC", "CMD5BC";
// truth of "FTB", "CMD2V", "CMD3V", "CMD7V".
std::uint32_t colourSetting(const MenuSettings& settings, std::string_view keyword);
bool truthSetting(const MenuSettings& settings, std::string_view keyword);
// The value kept as read for a keyword stored untyped ("CMD1", "CMD1P", ...).
const Untyped& untypedSetting(const MenuSettings& settings, std::string_view keyword);

}  // namespace script
