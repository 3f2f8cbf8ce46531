#include "menu_settings.h"

#include <stdexcept>

#include "failure.h"
#include "keyword_table.h"

namespace script {

namespace {

const LauncherStore& storeOf(std::string_view keyword) {
    const KeywordInfo* row = findKeyword(keyword);
    if (!row) throw std::logic_error("no keyword " + std::string(keyword));
    return row->launcher;
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
    if (!record.info) throw std::logic_error("record without a keyword: " + std::string(k));
    const LauncherStore& store = record.info->launcher;
    s.lineOf[std::string(k)] = record.keywordField.line;
    located(s, k, [&] {
        switch (store.storage()) {
            case Storage::Int16: s.*store.int16 = readInt16(record.values.at(0)); break;
            case Storage::Single: s.*store.single = readSingle(record.values.at(0)); break;
            case Storage::Text: s.*store.text = record.values.at(0).text; break;
            case Storage::Untyped: s.*store.untyped = Untyped::fromField(record.values.at(0)); break;
            case Storage::Colour: {
                ColourValues& colour = s.*store.colour;
                colour.red = Untyped::fromField(record.values.at(0));
                colour.green = Untyped::fromField(record.values.at(1));
                colour.blue = Untyped::fromField(record.values.at(2));
                break;
            }
            case Storage::None: throw std::logic_error("keyword without a member: " + std::string(k));
        }
        return 0;
    });
}

std::uint32_t colourSetting(const MenuSettings& settings, std::string_view keyword) {
    const LauncherStore& store = storeOf(keyword);
    if (!store.colour) throw std::logic_error("not a colour keyword: " + std::string(keyword));
    const ColourValues& colour = settings.*store.colour;
    return located(settings, keyword, [&] { return toColour(colour.red, colour.green, colour.blue); });
}

bool truthSetting(const MenuSettings& settings, std::string_view keyword) {
    const LauncherStore& store = storeOf(keyword);
    if (!store.untyped) throw std::logic_error("not a truth keyword: " + std::string(keyword));
    const Untyped& value = settings.*store.untyped;
    return located(settings, keyword, [&] { return toTruth(value); });
}

const Untyped& untypedSetting(const MenuSettings& settings, std::string_view keyword) {
    const LauncherStore& store = storeOf(keyword);
    if (!store.untyped) throw std::logic_error("not an untyped keyword: " + std::string(keyword));
    return settings.*store.untyped;
}

}  // namespace script
