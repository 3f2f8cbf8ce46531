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

#include "view/graphical_button.h"
#include "view/screen_label.h"
#include "script/menu_settings.h"

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
    static constexpr const char* kBackgroundPicture = "Data\\background.bmp";

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
    // The keywords one button takes its caption, colour and picture from.
    struct ButtonGroup {
        script::Untyped script::MenuSettings::*caption;
        const char* colour;
        script::Untyped script::MenuSettings::*picture;
        const char* pictureKeyword;
    };

    void buildControls();
    // The settings pass, part by part, in the order its conversions run.
    void applyLayout(const script::MenuSettings& s);
    void applyBackground(const script::MenuSettings& s);
    void applyTexts(const script::MenuSettings& s);
    void applyButtons(const script::MenuSettings& s);
    void setBackgroundColour(const QColor& colour);
    void applyButtonRule(const script::MenuSettings& s, GraphicalButton* button, const ButtonGroup& group);
    const QPixmap& buttonPicture(const script::MenuSettings& s, const script::Untyped& name, const char* keyword);

    QWidget& host_;
    ScreenFiles& files_;
};

// The design-time font of the screen and its controls.
QFont startScreenFont();

}  // namespace view
