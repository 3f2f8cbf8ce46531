#pragma once
// The start screen's look: its design-time controls, built into a host
// widget, and the settings pass that turns the values read so far into
// titles, colours, fonts, buttons and layout. The launcher's start window and
// the editor's preview both draw with it, so the two cannot differ.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <string>

#include "menu/screen_look.h"
#include "script/menu_settings.h"
#include "view/graphical_button.h"
#include "view/screen_label.h"

namespace view {

// Where the start screen finds the files a script names. Every existence test
// and picture load of the settings pass goes through here.
class ScreenFiles {
public:
    virtual ~ScreenFiles() = default;
    // True for an existing file or folder.
    virtual bool FileExists(const std::string& strPath) = 0;
    // The picture of a file; throws script::Failure naming the file when it is
    // missing or cannot be read as a picture.
    virtual const QPixmap& picture(const std::string& windowsName) = 0;
};

class StartScreen {
public:
    static constexpr int kClientWidth = 328, kClientHeight = 416;
    static constexpr const char* kBackgroundPicture = menu::ScreenLook::kBackgroundPicture;

    // Gives `host` the screen's size, background and font, and builds the
    // controls into it at their design places.
    StartScreen(QWidget& host, ScreenFiles& files);

    // The settings pass: sets every control from the values read so far.
    // Throws script::Failure, with the keyword and its line, for a value that
    // cannot be converted or a button picture that cannot be loaded.
    void ApplySettings(const script::MenuSettings& s);

    // Label sizing waits while the screen is built and not yet shown (only
    // the last size is ever seen); off, each self-sizing label fits its text.
    void holdSizing(bool hold);

    QColor backgroundColour() const;
    void setImage1Picture(const QPixmap& picture);
    QWidget& host() const { return host_; }

    // The controls, at their design places.
    QLabel* Image1;
    ScreenLabel* Label1;
    ScreenLabel* Label2;
    ScreenLabel* Label3;
    ScreenLabel* Label5;
    GraphicalButton* Command1;
    GraphicalButton* Command3;
    GraphicalButton* Command5;
    GraphicalButton* Command2;
    GraphicalButton* Command4;
    GraphicalButton* Command7;
    GraphicalButton* Command6;

private:
    void buildControls();
    // The settings pass, part by part, in the order its conversions run.
    void applyLayout(const menu::ScreenLook& look);
    void applyBackground(const menu::ScreenLook& look);
    void applyTexts(const menu::ScreenLook& look);
    void applyButtons(const menu::ScreenLook& look);
    void setBackgroundColour(const QColor& colour);
    void applyButtonLook(const menu::ScreenLook& look, GraphicalButton* button, const menu::ButtonLook& face);

    QWidget& host_;
    ScreenFiles& files_;
};

// The design-time font of the screen and its controls.
QFont startScreenFont();

}  // namespace view
