#pragma once
// What the start menu's engine asks of the screen it drives. The launcher's
// start window answers with widgets; the dry run writes the requests down.

#include <string>

#include "script/menu_settings.h"

namespace menu {

class StartView {
public:
    virtual ~StartView() = default;

    // The settings pass: the screen takes the values read so far. Throws
    // script::Failure, with the keyword and its line, for a value it cannot
    // convert or a picture it cannot load.
    virtual void applySettings(const script::MenuSettings& values) = 0;
    // Shows the start screen and gives it the keyboard.
    virtual void showScreen() = 0;
    virtual void hideScreen() = 0;
    // Shows a picture (a Windows name) in the screen's picture control.
    // Throws script::Failure naming the file when it cannot be loaded.
    virtual void showLogo(const std::string& picture) = 0;
    // The window a clip plays in, as the multimedia commands name it.
    virtual std::string clipParent() = 0;
    // The two title lines, in the script's Windows-1252 bytes.
    virtual void showTitles(const std::string& label1, const std::string& title2) = 0;
    // The message box (icon: 1 stop, 2 information, 3 error, 4 question).
    virtual void showMessageBox(const std::string& title, const std::string& prompt, int icon) = 0;
    virtual void showHelp() = 0;
    // The start screen is unloaded, or a sequence that outlived it ended:
    // the program ends unless another window is loaded.
    virtual void closed() = 0;
};

}  // namespace menu
