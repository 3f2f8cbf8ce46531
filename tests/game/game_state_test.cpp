#include <gtest/gtest.h>

#include "game/game_state.h"

using zembrot::GameState;
using zembrot::Input;
using zembrot::Screen;

TEST(GameState, SpacesRunTheSlidesThenStayOnTheTitle) {
    GameState game;
    for (int i = 0; i < GameState::slideCount - 1; ++i) game.handle(Input::Space);
    EXPECT_EQ(game.screen(), Screen::Slides);
    EXPECT_EQ(game.slide(), GameState::slideCount - 1);
    game.handle(Input::Space);
    game.handle(Input::Space);
    EXPECT_EQ(game.screen(), Screen::Title);
}

TEST(GameState, AltGThenEnterStartsANewGameFromAnyScreen) {
    GameState game;  // still on the first slide
    EXPECT_TRUE(game.handle(Input::GameMenu));
    EXPECT_TRUE(game.menuOpen());
    EXPECT_TRUE(game.handle(Input::Return));
    EXPECT_FALSE(game.menuOpen());
    EXPECT_EQ(game.screen(), Screen::Playing);
}

TEST(GameState, SixDownsReachSetupAndAltOOpensTheOptions) {
    GameState game;
    game.handle(Input::GameMenu);
    for (int i = 0; i < 6; ++i) game.handle(Input::Down);
    EXPECT_STREQ(GameState::menuItems[static_cast<std::size_t>(game.menuIndex())], "Setup");
    game.handle(Input::Return);
    EXPECT_EQ(game.screen(), Screen::Setup);
    game.handle(Input::Options);
    EXPECT_TRUE(game.optionsOpen());
    const bool before = game.option(1);
    game.handle(Input::Down);
    game.handle(Input::Return);
    EXPECT_NE(game.option(1), before);
    EXPECT_EQ(game.screen(), Screen::Setup);
}

TEST(GameState, MenuWrapsAround) {
    GameState game;
    game.handle(Input::GameMenu);
    game.handle(Input::Up);
    EXPECT_EQ(game.menuIndex(), static_cast<int>(GameState::menuItems.size()) - 1);
    game.handle(Input::Down);
    EXPECT_EQ(game.menuIndex(), 0);
}

TEST(GameState, EscapeAndQuitEndTheGame) {
    GameState game;
    EXPECT_FALSE(game.handle(Input::Escape));
    GameState other;
    other.handle(Input::GameMenu);
    other.handle(Input::Up);  // Quit is the last item
    EXPECT_FALSE(other.handle(Input::Return));
}

TEST(GameState, OtherKeysChangeNothing) {
    GameState game;
    game.handle(Input::Other);
    game.handle(Input::Down);
    EXPECT_EQ(game.screen(), Screen::Slides);
    EXPECT_EQ(game.slide(), 0);
    EXPECT_FALSE(game.menuOpen());
}
