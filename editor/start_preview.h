#pragma once
// The start screen as the launcher would draw it from the window's fields:
// the fields are compiled to script bytes, read back by the launcher's rules
// and drawn with the launcher's own start screen, pictures taken from a game
// folder the packager picks.

#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "script/writer.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace view { class StartScreen; }

namespace editor {

class PreviewFiles;

class StartPreview : public QWidget {
    Q_OBJECT
public:
    // `fields` reads the window's fields as Compile/Save would write them.
    explicit StartPreview(std::function<script::EditorSnapshot()> fields, QWidget* parent = nullptr);
    ~StartPreview() override;

    // Where the script's pictures are looked for, as the launcher looks below
    // its working folder; by default the folder Compile/Save writes to.
    QString gameFolder() const;
    void setGameFolder(const QString& folder);

    // Redraws once the event at hand is handled; many changes at once cost
    // one drawing. Nothing is drawn while the window is hidden.
    void scheduleUpdate();
    // Redraws at once.
    void updateScreen();

    // The screen as last drawn, and its controls.
    QWidget* screenHost() const { return screenHost_; }
    const view::StartScreen* screen() const { return screen_.get(); }
    QLabel* status() const { return status_; }

    static QString defaultGameFolder();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void chooseGameFolder();
    void showStatus(const QString& text, bool problem);

    std::function<script::EditorSnapshot()> fields_;
    QString gameFolder_;
    QWidget* screenFrame_;
    QWidget* screenHost_ = nullptr;
    std::unique_ptr<PreviewFiles> files_;
    std::unique_ptr<view::StartScreen> screen_;
    QLineEdit* folderField_;
    QPushButton* chooseButton_;
    QLabel* status_;
    bool updatePending_ = false;
};

// A picture the launcher could not load, as the preview shows it instead:
// a dashed frame with the picture's name.
QPixmap missingPicturePlaceholder(const std::string& windowsName);

}  // namespace editor
