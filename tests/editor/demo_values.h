#pragma once
// One packager's settings, as typed into the editor: used by the window tests,
// the end-to-end run and the screenshot.

#include <array>
#include <string>
#include <vector>

namespace editor_testing {

// texts[n] is what the packager types into TextN.
inline std::array<std::string, 32> demoTexts() {
    std::array<std::string, 32> t;
    t[2] = "05", t[1] = "1", t[3] = "Zembrot", t[4] = "The Return", t[5] = "0,0,128";
    t[9] = "Comic Sans MS", t[10] = "255,255,198", t[11] = "14", t[7] = "Loading, please wait";
    t[8] = "3", t[12] = "4", t[13] = "192,0,0", t[14] = "Play", t[15] = "play.bmp";
    t[16] = "0,128,0", t[17] = " ", t[18] = "setup.bmp", t[19] = "0,0,192", t[20] = "Help";
    t[21] = "help.bmp", t[22] = "64,64,64", t[23] = "Stop", t[24] = "stop.bmp";
    t[25] = "info.bmp", t[6] = "click.wav", t[26] = "play.wav", t[27] = "setup.wav";
    t[28] = "help.wav", t[29] = "stop.wav", t[30] = "", t[31] = "menu.mid";
    return t;
}

// Boxes the packager ticks: Check1, Check2, Check4, Check6, Check7.
inline constexpr std::array<int, 5> kDemoTicked = {1, 2, 4, 6, 7};

// The record lines the demo gives, menu script and state file.
inline std::vector<std::string> demoMenuScriptRecords() {
    return {"TIMEDELAY,05", "TIMEDELAY3,1", "TITLE,\"Zembrot\"", "TITLE2,\"The Return\"",
            "BACKCOLOR,0,0,128", "FNT,Comic Sans MS", "LBL1-2,255,255,198", "FONTSIZE,14",
            "FTB,True", "INFOP,Data\\info.bmp", "SPLTXT,\"Loading, please wait\"",
            "SPTIM,3", "SLIDE,4", "CMD3V,True", "CMD7V,False", "SPLASH,1", "CMD1BC,192,0,0",
            "CMD2BC,0,128,0", "CMD3BC,0,0,192", "CMD5BC,64,64,64", "CMD1,Play", "CMD2, ",
            "CMD3,Help", "CMD5,Stop", "CMD1P,Data\\play.bmp", "CMD2P,Data\\setup.bmp",
            "CMD3P,Data\\help.bmp", "CMD5P,Data\\stop.bmp", "CMD2V,True", "BGWAV,Data\\",
            "BGMID,Data\\menu.mid", "BSND,1", "BSNDH,Data\\click.wav", "PLAWV,Data\\play.wav",
            "SETUWV,Data\\setup.wav", "HELWV,Data\\help.wav", "STOWV,Data\\stop.wav"};
}
inline std::vector<std::string> demoStateFileRecords() {
    return {"TIMEDELAY,05", "TIMEDELAY3,1", "TITLE,\"Zembrot\"", "TITLE2,\"The Return\"",
            "BACKCOLOR,\"0,0,128\"", "FNT,Comic Sans MS", "LBL1-2,\"255,255,198\"", "FONTSIZE,14",
            "FTB,1", "INFOP,info.bmp", "SPLTXT,\"Loading, please wait\"", "SPTIM,3",
            "SLIDE,4", "CMD3V,1", "CMD7V,0", "SPLASH,1", "CMD1BC,\"192,0,0\"", "CMD2BC,\"0,128,0\"",
            "CMD3BC,\"0,0,192\"", "CMD5BC,\"64,64,64\"", "CMD1,\"Play\"", "CMD2,\" \"",
            "CMD3,\"Help\"", "CMD5,\"Stop\"", "CMD1P,\"play.bmp\"", "CMD2P,\"setup.bmp\"",
            "CMD3P,\"help.bmp\"", "CMD5P,\"stop.bmp\"", "CMD2V,1", "BGWAV,", "BGMID,menu.mid",
            "BSND,1", "BSNDH,click.wav", "PLAWV,play.wav", "SETUWV,setup.wav", "HELWV,help.wav",
            "STOWV,stop.wav"};
}

// A whole file after its date line: the head's other two lines, then each
// record with its comment line, CR LF throughout.
inline std::string fileAfterDateLine(const std::vector<std::string>& records) {
    std::string bytes = ";\r\n;Do NOT Place Comments on Same Line as Commands\r\n";
    for (const std::string& record : records) {
        bytes += record + "\r\n";
        if (record.starts_with("CMD2V,")) bytes += ";Button Visible = True\r\n";
        else if (record.starts_with("BSND,")) bytes += ";Sound = 1 No sound = 0\r\n";
        else bytes += ";\r\n";
    }
    return bytes;
}

}  // namespace editor_testing
