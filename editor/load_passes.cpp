#include "load_passes.h"

#include <map>

#include "script/failure.h"
#include "script/field_reader.h"
#include "script/reading_rule.h"

namespace editor {

namespace {

using script::Untyped;

// Text field fed by each keyword that has a local holder.
const std::map<std::string_view, int>& fieldOfKeyword() {
    static const std::map<std::string_view, int> map = {
        {"TITLE", 3},   {"TITLE2", 4},  {"BACKCOLOR", 5}, {"BSNDH", 6},  {"TIMEDELAY", 2},
        {"TIMEDELAY3", 1}, {"FNT", 9},  {"LBL1-2", 10},   {"FONTSIZE", 11}, {"SPLTXT", 7},
        {"SPTIM", 8},   {"SLIDE", 12},  {"INFOP", 25},    {"CMD1", 14},  {"CMD2", 17},
        {"CMD3", 20},   {"CMD5", 23},   {"CMD1P", 15},    {"CMD2P", 18}, {"CMD3P", 21},
        {"CMD5P", 24},  {"CMD1BC", 13}, {"CMD2BC", 16},   {"CMD3BC", 19}, {"CMD5BC", 22},
        {"BGWAV", 30},  {"BGMID", 31},  {"PLAWV", 26},    {"SETUWV", 27}, {"HELWV", 28},
        {"STOWV", 29}};
    return map;
}

LoadPass::Target windowTarget(std::string_view keyword) {
    if (keyword == "FTB") return LoadPass::Target::intFontBold;
    if (keyword == "CMD3V") return LoadPass::Target::intCmd3Visible;
    if (keyword == "CMD7V") return LoadPass::Target::intCmd7Visible;
    if (keyword == "CMD2V") return LoadPass::Target::intCmd2Visible;
    if (keyword == "BSND") return LoadPass::Target::varButtonSound;
    return LoadPass::Target::None;
}

// A check box takes 0, 1 or 2; anything else fails as the box's assignment would.
std::int16_t checkValue(const Untyped& value) {
    const std::int16_t n = script::toInt16(value);
    if (n < Unchecked || n > Grayed)
        throw script::Failure(script::FailureKind::InvalidProcedureCall,
                              "needs 0, 1 or 2 for its check box, not " + std::to_string(n));
    return n;
}

}  // namespace

void LoadPass::assignTo(SwitchVariables& switches) const {
    switch (target) {
        case Target::None: break;
        case Target::intFontBold: switches.intFontBold = script::toInt16(value); break;
        case Target::intCmd3Visible: switches.intCmd3Visible = script::toInt16(value); break;
        case Target::intCmd7Visible: switches.intCmd7Visible = script::toInt16(value); break;
        case Target::intCmd2Visible: switches.intCmd2Visible = script::toInt16(value); break;
        case Target::varButtonSound: switches.varButtonSound = value; break;
    }
}

LoadedBoxes boxesFor(const LoadPass& pass, const SwitchVariables& switches) {
    return {switches.intFontBold,
            pass.splash,
            switches.intCmd7Visible,
            switches.intCmd2Visible,
            script::toInt16(switches.varButtonSound),
            switches.intCmd3Visible};
}

std::vector<LoadPass> readLoadPasses(std::string text, const std::string& shownName) {
    script::FieldReader reader(std::move(text), shownName);
    Untyped splash;
    std::vector<LoadPass> passes;
    bool anyRecord = false;
    do {
        const script::Record record = script::readRecord(reader, script::editorKeywords());
        if (record.kind != script::Record::Kind::Matched) {
            // Nothing changes but the boxes are set again.
            if (passes.empty()) passes.emplace_back();
            else ++passes.back().passes;
            continue;
        }
        anyRecord = true;
        LoadPass pass;
        const script::Field& field = record.values.at(0);
        const std::string_view keyword = record.keyword;
        try {
            if (keyword == "TITLE") {
                pass.field = 3;
                pass.text = field.text;  // kept as typed, numbers too
            } else if (keyword == "SPLASH") {
                const Untyped value = Untyped::fromField(field);
                checkValue(value);
                splash = value;
            } else if (const auto target = windowTarget(keyword); target != LoadPass::Target::None) {
                pass.target = target;
                pass.value = Untyped::fromField(field);
                checkValue(pass.value);
            } else {
                pass.field = fieldOfKeyword().at(keyword);
                pass.text = Untyped::fromField(field).toText();
            }
        } catch (script::Failure& failure) {
            failure.inScript(shownName, field.line).forKeyword(std::string(keyword));
            throw;
        }
        pass.splash = script::toInt16(splash);
        passes.push_back(std::move(pass));
    } while (!reader.atEnd());
    if (!anyRecord) passes.clear();
    return passes;
}

}  // namespace editor
