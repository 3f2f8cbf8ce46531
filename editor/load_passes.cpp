#include "load_passes.h"

#include "script/failure.h"
#include "script/field_reader.h"
#include "script/reading_rule.h"

namespace editor {

namespace {

using script::EditorControl;
using script::KeywordInfo;
using script::Untyped;

bool isBox(const KeywordInfo& keyword) { return keyword.field.kind == EditorControl::Kind::Check; }
std::size_t controlNumber(const KeywordInfo& keyword) { return static_cast<std::size_t>(keyword.field.number); }

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
    if (!switchRead) return;
    const script::FileForm& from = switchRead->stateFile;
    if (from.integer) switches.*from.integer = script::toInt16(value);
    if (from.untyped) switches.*from.untyped = value;
}

LoadedBoxes boxesFor(const LoadPass& pass, const SwitchVariables& switches) {
    LoadedBoxes boxes{};
    for (const KeywordInfo* keyword : script::editorLoadOrder()) {
        if (!isBox(*keyword)) continue;
        const script::FileForm& from = keyword->stateFile;
        int& box = boxes.at(controlNumber(*keyword));
        if (keyword->loadHolder != script::LoadHolder::Window)
            box = pass.box.at(controlNumber(*keyword));
        else if (from.integer)
            box = switches.*from.integer;
        else if (from.untyped)
            box = script::toInt16(switches.*from.untyped);
    }
    return boxes;
}

std::vector<LoadPass> readLoadPasses(std::string text, const std::string& shownName) {
    script::FieldReader reader(std::move(text), shownName);
    std::array<std::int16_t, 9> heldBoxes{};  // by check box number, for the boxes the load holds itself
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
        const KeywordInfo& keyword = *record.info;
        try {
            switch (keyword.loadHolder) {
                case script::LoadHolder::Text:
                    pass.field = keyword.field.number;
                    pass.text = field.text;  // kept as typed, numbers too
                    break;
                case script::LoadHolder::Window:
                    pass.switchRead = &keyword;
                    pass.value = Untyped::fromField(field);
                    checkValue(pass.value);
                    break;
                case script::LoadHolder::Untyped:
                    if (isBox(keyword)) {
                        heldBoxes.at(controlNumber(keyword)) = checkValue(Untyped::fromField(field));
                    } else {
                        pass.field = keyword.field.number;
                        pass.text = Untyped::fromField(field).toText();
                    }
                    break;
                case script::LoadHolder::None: break;
            }
        } catch (script::Failure& failure) {
            failure.inScript(shownName, field.line).forKeyword(std::string(keyword.name));
            throw;
        }
        pass.box = heldBoxes;
        passes.push_back(std::move(pass));
    } while (!reader.atEnd());
    if (!anyRecord) passes.clear();
    return passes;
}

}  // namespace editor
