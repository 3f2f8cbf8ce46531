#pragma once
// A check box with the three values 0 (clear), 1 (ticked) and 2 (grayed).
// A click by the user toggles between ticked and clear; only the program sets
// a box to grayed. valueChanged runs on every change, whoever makes it.

#include <QCheckBox>

namespace editor {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    CheckBox(const QString& caption, QWidget* parent);

    int value() const;
    void setValue(int value);  // 0, 1 or 2

signals:
    void valueChanged(int value);

protected:
    void nextCheckState() override;
};

}  // namespace editor
