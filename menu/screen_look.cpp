#include "menu/screen_look.h"

#include "script/failure.h"
#include "script/untyped.h"

namespace menu {

namespace {

// The keywords one button takes its caption, colour and picture from.
struct ButtonGroup {
    const char* caption;
    const char* colour;
    const char* picture;
};

using S = script::MenuSettings;
constexpr ButtonGroup kGroup1{"CMD1", "CMD1BC", "CMD1P"};
constexpr ButtonGroup kGroup2{"CMD2", "CMD2BC", "CMD2P"};
constexpr ButtonGroup kGroup3{"CMD3", "CMD3BC", "CMD3P"};
constexpr ButtonGroup kGroup5{"CMD5", "CMD5BC", "CMD5P"};

ButtonLook buttonLook(const S& s, const ButtonGroup& group, LookFiles& files) {
    ButtonLook look;
    const script::Untyped& picture = script::untypedSetting(s, group.picture);
    if (script::namesPicture(picture)) {
        look.picture = picture.asText();
        try {
            files.requirePicture(look.picture);
        } catch (script::Failure& failure) {
            const auto line = s.lineOf.find(group.picture);
            failure.inScript(s.fileName, line == s.lineOf.end() ? 0 : line->second).forKeyword(group.picture);
            throw;
        }
        return look;
    }
    look.faceColour = script::colourSetting(s, group.colour);
    look.caption = script::toCaption(script::untypedSetting(s, group.caption));
    look.bold = script::truthSetting(s, "FTB");
    return look;
}

}  // namespace

ScreenLook screenLook(const S& s, LookFiles& files) {
    ScreenLook look;
    look.splash = script::isSplashSet(s.SPLASH);
    if (!look.splash) {
        look.command2Shown = script::truthSetting(s, "CMD2V");
        look.command3Shown = script::truthSetting(s, "CMD3V");
    }

    if (files.FileExists(ScreenLook::kBackgroundPicture)) {
        look.backgroundPicture = ScreenLook::kBackgroundPicture;
        files.requirePicture(look.backgroundPicture);
    } else {
        look.backgroundColour = script::colourSetting(s, "BACKCOLOR");
    }

    look.bold = script::truthSetting(s, "FTB");
    look.titleColour = script::colourSetting(s, "LBL1-2");
    look.fontName = s.FNT;
    look.fontSize = s.FONTSIZE;
    look.title = s.TITLE;
    look.title2 = s.TITLE2;
    look.splashText = s.SPLTXT;

    // The splash row shares the main buttons' keywords.
    look.command1 = buttonLook(s, kGroup1, files);
    look.command2 = buttonLook(s, kGroup2, files);
    look.command3 = buttonLook(s, kGroup3, files);
    look.command5 = buttonLook(s, kGroup5, files);
    look.command6 = buttonLook(s, kGroup5, files);
    look.command7 = buttonLook(s, kGroup3, files);
    look.command7Shown = script::truthSetting(s, "CMD7V");
    look.command4 = buttonLook(s, kGroup1, files);
    return look;
}

}  // namespace menu
