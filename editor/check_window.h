#pragma once
// File › Check: what the launcher would make of the fields in a game folder,
// listed in a window of its own. Nothing on disk changes.

#include <QDialog>

class QPlainTextEdit;

namespace editor {

class CheckWindow : public QDialog {
public:
    explicit CheckWindow(QWidget* parent = nullptr);
    // Checks the menu script `scriptBytes` (as Compile/Save would write it)
    // against `gameFolder` and shows the findings.
    void check(const std::string& scriptBytes, const QString& gameFolder);
    QString findings() const;

private:
    QPlainTextEdit* text_;
};

}  // namespace editor
