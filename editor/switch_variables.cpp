#include "switch_variables.h"

#include "script/keyword_table.h"

namespace editor {

void SwitchVariables::fromCheck(int number, int value) {
    for (const script::KeywordInfo& row : script::keywordTable()) {
        if (row.field.kind != script::EditorControl::Kind::Check || row.field.number != number) continue;
        // A switch the script writes as True/False is on only when ticked; one
        // it writes as a number counts a grayed box as on as well.
        const bool on = row.menuScript.truth ? value == Checked : value > 0;
        for (const script::FileForm* form : {&row.menuScript, &row.stateFile}) {
            if (form->truth) this->*form->truth = on;
            if (form->integer) this->*form->integer = on ? 1 : 0;
            if (form->untyped) this->*form->untyped = script::Untyped::number(on ? 1 : 0);
        }
    }
}

}  // namespace editor
