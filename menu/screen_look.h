#pragma once
// What the settings pass makes of the values read so far, before any widget
// is touched: the layout, the background, the texts and each button's face.
// The values are converted, and the pictures asked for, in the order
// start-up converts them, so the first one that fails is the one reported.
// The start screen draws the look; the dry run only needs to know it can be
// made.

#include <cstdint>
#include <string>

#include "script/menu_settings.h"

namespace menu {

// Where the look finds the files a script names.
class LookFiles {
public:
    virtual ~LookFiles() = default;
    // True for an existing file or folder.
    virtual bool FileExists(const std::string& strPath) = 0;
    // Throws script::Failure naming the file when it is missing or cannot be
    // read as a picture.
    virtual void requirePicture(const std::string& windowsName) = 0;
};

// Colours are 0x00BBGGRR, as the script's colour values combine.
struct ButtonLook {
    std::string picture;  // a picture's Windows name; empty for a plain face
    // For a plain face only: its colour, caption (Windows-1252) and weight.
    std::uint32_t faceColour = 0;
    std::string caption;
    bool bold = false;
};

struct ScreenLook {
    static constexpr const char* kBackgroundPicture = "Data\\background.bmp";

    bool splash = false;  // the splash layout, with its row of buttons
    // The main layout's optional buttons.
    bool command2Shown = false;
    bool command3Shown = false;
    std::string backgroundPicture;  // empty: the background colour shows
    std::uint32_t backgroundColour = 0;
    // The texts: Windows-1252, an empty font name leaves the face to the
    // system, and a size of 0 or less leaves the size as it is.
    bool bold = false;
    std::uint32_t titleColour = 0;
    std::string fontName;
    float fontSize = 0;
    std::string title, title2, splashText;
    // The main layout's buttons, then the splash row's (Start, Help, Stop).
    ButtonLook command1, command2, command3, command5;
    ButtonLook command4, command7, command6;
    bool command7Shown = false;
};

// Throws script::Failure, with the keyword and its line, for a value that
// cannot be converted or a button picture that cannot be loaded.
ScreenLook screenLook(const script::MenuSettings& s, LookFiles& files);

}  // namespace menu
