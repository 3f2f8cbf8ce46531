#include "check_box.h"

#include "switch_variables.h"

namespace editor {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    setTristate(true);
    connect(this, &QCheckBox::stateChanged, this, [this] { emit valueChanged(value()); });
}

int CheckBox::value() const {
    switch (checkState()) {
        case Qt::Checked: return Checked;
        case Qt::PartiallyChecked: return Grayed;
        case Qt::Unchecked: break;
    }
    return Unchecked;
}

void CheckBox::setValue(int value) {
    setCheckState(value == Checked ? Qt::Checked : value == Grayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CheckBox::nextCheckState() { setValue(value() == Checked ? Unchecked : Checked); }

}  // namespace editor
