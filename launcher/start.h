#pragma once
// The start window: the start screen's widgets, shown and driven by the start
// menu's engine, which reads the menu script at load and runs the intro, the
// game start and the menu buttons' sequences.

#include <QLabel>
#include <QWidget>
#include <memory>
#include <string>

#include "menu/start_menu.h"
#include "menu/start_view.h"
#include "script/failure.h"
#include "script/menu_settings.h"
#include "view/folder_files.h"
#include "view/picture_files.h"
#include "view/start_screen.h"

namespace launcher {

class LauncherWindows;

// The window is the start screen's host and finds the screen's files below
// the working folder: while it loads, through the start-up's folder files,
// which look each name up once; afterwards through the engine's existence test.
class start : public QWidget, private view::ScreenFiles, public view::StartScreen, private menu::StartView {
public:
    explicit start(LauncherWindows& windows);
    ~start() override;

    // Reads Data\kelo.pod (or the bytes the windows were given) and starts
    // the presentation.
    void Form_Load();
    bool FileExists(const std::string& strPath) override;

    // The engine behind the window: its fields, sequences and handlers.
    menu::StartMenu& menu() { return menu_; }
    bool isLoaded() const { return menu_.isLoaded(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const QPixmap& picture(const std::string& windowsName) override;
    void connectHandlers();
    void centreOnScreen();

    // The view the engine drives.
    void applySettings(const script::MenuSettings& values) override;
    void showScreen() override;
    void hideScreen() override;
    void showLogo(const std::string& picture) override;
    std::string clipParent() override;
    void showTitles(const std::string& label1, const std::string& title2) override;
    void showMessageBox(const std::string& title, const std::string& prompt, int icon) override;
    void showHelp() override;
    void closed() override;

    LauncherWindows& windows_;
    menu::StartMenu menu_;
    // Set while the window loads: the passes ask after the same files after
    // every record, and the answers stand for the start-up. Later questions
    // (Play's logo and clip) are asked afresh.
    std::unique_ptr<view::FolderFiles> startupFiles_;
    view::PictureFiles laterPictures_;
};

// The key code a window's key handler receives for a Qt key (Windows
// virtual-key numbering: letters are their capitals, 83 is S).
int windowsKeyCode(int qtKey);
// Shift, Control, Alt, AltGr, Meta/Super, Caps Lock or Num Lock pressed alone.
bool isLoneModifierKey(int qtKey);

}  // namespace launcher
