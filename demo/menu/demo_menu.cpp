#include "demo_menu.h"

namespace demo_menu {

script::EditorSnapshot packagerSnapshot(Layout layout) {
    script::EditorSnapshot s;
    auto& text = s.text;
    text[2] = "3";                  // TIMEDELAY: logo and clip, seconds each
    text[1] = "1";                  // TIMEDELAY3: pause around the game start
    text[3] = "Zembrot";            // TITLE
    text[4] = "The Last Colony";    // TITLE2
    text[5] = "16,20,64";           // BACKCOLOR: night blue
    text[9] = "Comic Sans MS";      // FNT
    text[10] = "255,206,84";        // LBL1-2: gold
    text[11] = "20";                // FONTSIZE
    text[25] = "help.bmp";          // INFOP
    text[7] = "Zembrot";            // SPLTXT
    text[8] = "1";                  // SPTIM
    text[12] = "3";                 // SLIDE
    text[13] = "36,150,64";         // CMD1BC
    text[14] = "Play";              // CMD1
    text[15] = "play.bmp";          // CMD1P
    text[16] = "214,128,36";        // CMD2BC
    text[17] = "Setup";             // CMD2
    text[18] = "";                  // CMD2P: a coloured button
    text[19] = "52,100,196";        // CMD3BC
    text[20] = "Help";              // CMD3
    text[21] = "";                  // CMD3P: a coloured button
    text[22] = "176,36,48";         // CMD5BC
    text[23] = "Quit";              // CMD5
    text[24] = "quit.bmp";          // CMD5P
    text[6] = "click.wav";          // BSNDH
    text[30] = "";                  // BGWAV: the MIDI plays instead
    text[31] = "theme.mid";         // BGMID
    for (int i : {26, 27, 28, 29}) text[static_cast<std::size_t>(i)] = "click.wav";  // mouse-over sounds

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
