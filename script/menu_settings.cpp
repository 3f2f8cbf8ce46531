#include "menu_settings.h"

#include <stdexcept>

#include "failure.h"

namespace script {

namespace {

ColourValues* colourMember(MenuSettings& s, std::string_view k) {
    if (k == "BACKCOLOR") return &s.BACKCOLOR;
    if (k == "LBL1-2") return &s.LBL1_2;
    if (k == "CMD1BC") return &s.CMD1BC;
    if (k == "CMD2BC") return &s.CMD2BC;
    if (k == "CMD3BC") return &s.CMD3BC;
    if (k == "CMD5BC") return &s.CMD5BC;
    return nullptr;
}

Untyped* untypedMember(MenuSettings& s, std::string_view k) {
    if (k == "FTB") return &s.FTB;
    if (k == "CMD1") return &s.CMD1;
    if (k == "CMD2") return &s.CMD2;
    if (k == "CMD3") return &s.CMD3;
    if (k == "CMD5") return &s.CMD5;
    if (k == "CMD1P") return &s.CMD1P;
    if (k == "CMD2P") return &s.CMD2P;
    if (k == "CMD3P") return &s.CMD3P;
    if (k == "CMD5P") return &s.CMD5P;
    if (k == "CMD2V") return &s.CMD2V;
    if (k == "CMD3V") return &s.CMD3V;
    if (k == "CMD7V") return &s.CMD7V;
    if (k == "SPLASH") return &s.SPLASH;
    return nullptr;
}

std::string* textMember(MenuSettings& s, std::string_view k) {
    if (k == "TITLE") return &s.TITLE;
    if (k == "TITLE2") return &s.TITLE2;
    if (k == "BSNDH") return &s.BSNDH;
    if (k == "FNT") return &s.FNT;
    if (k == "LBL1") return &s.LBL1;
    if (k == "SPLTXT") return &s.SPLTXT;
    if (k == "BGMID") return &s.BGMID;
    if (k == "BGWAV") return &s.BGWAV;
    if (k == "PLAWV") return &s.PLAWV;
    if (k == "SETUWV") return &s.SETUWV;
    if (k == "HELWV") return &s.HELWV;
    if (k == "STOWV") return &s.STOWV;
    if (k == "INFOP") return &s.INFOP;
    return nullptr;
}

std::int16_t* integerMember(MenuSettings& s, std::string_view k) {
    if (k == "TIMEDELAY") return &s.TIMEDELAY;
    if (k == "TIMEDELAY3") return &s.TIMEDELAY3;
    if (k == "BSND") return &s.BSND;
    if (k == "SPTIM") return &s.SPTIM;
    if (k == "SLIDE") return &s.SLIDE;
    return nullptr;
}

// Runs a conversion and, when it fails, names the keyword's line.
template <typename F>
auto located(const MenuSettings& s, std::string_view keyword, F convert) {
    try {
        return convert();
    } catch (Failure& failure) {
        auto line = s.lineOf.find(keyword);
        failure.inScript(s.fileName, line == s.lineOf.end() ? 0 : line->second).forKeyword(std::string(keyword));
        throw;
    }
}

}  // namespace

void storeLauncherRecord(MenuSettings& s, const Record& record) {
    const std::string_view k = record.keyword;
    s.lineOf[std::string(k)] = record.keywordField.line;
    located(s, k, [&] {
        if (auto* member = integerMember(s, k)) {
            *member = readInt16(record.values.at(0));
        } else if (k == "FONTSIZE") {
            s.FONTSIZE = readSingle(record.values.at(0));
        } else if (auto* text = textMember(s, k)) {
            *text = record.values.at(0).text;
        } else if (auto* value = untypedMember(s, k)) {
            *value = Untyped::fromField(record.values.at(0));
        } else if (auto* colour = colourMember(s, k)) {
            colour->red = Untyped::fromField(record.values.at(0));
            colour->green = Untyped::fromField(record.values.at(1));
            colour->blue = Untyped::fromField(record.values.at(2));
        } else {
            throw std::logic_error("keyword without a member: " + std::string(k));
        }
        return 0;
    });
}

std::uint32_t colourSetting(const MenuSettings& settings, std::string_view keyword) {
    auto& s = const_cast<MenuSettings&>(settings);
    const ColourValues* colour = colourMember(s, keyword);
    if (!colour) throw std::logic_error("not a colour keyword: " + std::string(keyword));
    return located(settings, keyword, [&] { return toColour(colour->red, colour->green, colour->blue); });
}

bool truthSetting(const MenuSettings& settings, std::string_view keyword) {
    auto& s = const_cast<MenuSettings&>(settings);
    const Untyped* value = untypedMember(s, keyword);
    if (!value) throw std::logic_error("not a truth keyword: " + std::string(keyword));
    return located(settings, keyword, [&] { return toTruth(*value); });
}

}  // namespace script
