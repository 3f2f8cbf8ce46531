#include <gtest/gtest.h>

#include <string>

#include "demo_menu.h"

using demo_menu::Layout;
using demo_menu::packagerSnapshot;

namespace {

bool hasLine(const std::string& file, const std::string& line) {
    return file.find("\r\n" + line + "\r\n") != std::string::npos;
}

}  // namespace

TEST(DemoMenu, UsesEveryFeatureOfTheMenuScript) {
    const std::string script = script::writeMenuScript(packagerSnapshot(Layout::Main), "now");
    for (const char* line : {"TITLE,\"Zembrot\"", "TITLE2,\"The Last Colony\"", "FNT,Comic Sans MS",
                             "FTB,True", "CMD1,Play", "CMD2,Setup", "CMD3,Help", "CMD5,Quit",
                             "CMD1P,Data\\play.bmp", "CMD5P,Data\\quit.bmp", "CMD2P,Data\\", "CMD3P,Data\\",
                             "CMD2V,True", "CMD3V,True", "BSND,1", "BSNDH,Data\\click.wav",
                             "BGMID,Data\\theme.mid", "BGWAV,Data\\", "INFOP,Data\\help.bmp", "SLIDE,3",
                             "SPLASH,0", "CMD7V,False"})
        EXPECT_TRUE(hasLine(script, line)) << line;
}

TEST(DemoMenu, SplashLayoutShowsThreeButtonsInTheRow) {
    const std::string script = script::writeMenuScript(packagerSnapshot(Layout::Splash), "now");
    EXPECT_TRUE(hasLine(script, "SPLASH,1"));
    EXPECT_TRUE(hasLine(script, "CMD7V,True"));
    const std::string state = script::writeStateFile(packagerSnapshot(Layout::Splash), "now");
    EXPECT_TRUE(hasLine(state, "SPLASH,1"));
    EXPECT_TRUE(hasLine(state, "BSND,1"));
}
