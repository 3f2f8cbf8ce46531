#include "demo_menu.h"

namespace demo_menu {

script::EditorSnapshot packagerSnapshot(Layout layout) {
    script::EditorSnapshot s;
    s.field("TIMEDELAY") = "3";          // logo and clip, seconds each
    s.field("TIMEDELAY3") = "1";         // pause around the game start
    s.field("TITLE") = "Zembrot";
    s.field("TITLE2") = "The Last Colony";
    s.field("BACKCOLOR") = "16,20,64";   // night blue
    s.field("FNT") = "Comic Sans MS";
    s.field("LBL1-2") = "255,206,84";    // gold
    s.field("FONTSIZE") = "20";
    s.field("INFOP") = "help.bmp";
    s.field("SPLTXT") = "Zembrot";
    s.field("SPTIM") = "1";
    s.field("SLIDE") = "3";
    s.field("CMD1BC") = "36,150,64";
    s.field("CMD1") = "Play";
    s.field("CMD1P") = "play.bmp";
    s.field("CMD2BC") = "214,128,36";
    s.field("CMD2") = "Setup";
    s.field("CMD2P") = "";               // a coloured button
    s.field("CMD3BC") = "52,100,196";
    s.field("CMD3") = "Help";
    s.field("CMD3P") = "";               // a coloured button
    s.field("CMD5BC") = "176,36,48";
    s.field("CMD5") = "Quit";
    s.field("CMD5P") = "quit.bmp";
    s.field("BSNDH") = "click.wav";
    s.field("BGWAV") = "";               // the MIDI plays instead
    s.field("BGMID") = "theme.mid";
    // The mouse-over sounds.
    for (const char* keyword : {"PLAWV", "SETUWV", "HELWV", "STOWV"}) s.field(keyword) = "click.wav";

    // The check boxes, as their click handlers leave the switch variables.
    s.blnFontBold = true;
    s.intFontBold = 1;
    s.blnCmd3Visible = true;
    s.intCmd3Visible = 1;
    s.blnCmd2Visible = true;
    s.intCmd2Visible = 1;
    s.intButtonSound = 1;
    s.varButtonSound = script::Untyped::number(1);
    if (layout == Layout::Splash) {
        s.intSplash = 1;
        s.blnCmd7Visible = true;
        s.intCmd7Visible = 1;
    }
    return s;
}

}  // namespace demo_menu
