#pragma once
// What the stand-in game shows and how each key changes it. No widgets here:
// the window paints this state and feeds it the keys it receives.

#include <array>
#include <string>

namespace zembrot {

// The keys the game reacts to; everything else is Other.
enum class Input { Space, Up, Down, Return, GameMenu, Options, Escape, Other };

enum class Screen { Slides, Title, Playing, Setup };

class GameState {
public:
    static constexpr int slideCount = 3;
    static constexpr std::array<const char*, 8> menuItems{
        "New Game", "Continue", "Load Game", "Controls", "Sound", "Video", "Setup", "Quit"};
    static constexpr std::array<const char*, 4> optionNames{
        "Music", "Sound effects", "Subtitles", "Hard mode"};

    // Applies one key; returns false when the game should end.
    bool handle(Input input);

    Screen screen() const { return screen_; }
    int slide() const { return slide_; }  // 0 .. slideCount-1 while on Slides
    bool menuOpen() const { return menuOpen_; }
    int menuIndex() const { return menuIndex_; }
    bool optionsOpen() const { return optionsOpen_; }
    int optionIndex() const { return optionIndex_; }
    bool option(int index) const { return options_[static_cast<std::size_t>(index)]; }
    int shotsFired() const { return shotsFired_; }
    // A short line for the status bar: what the last choice did.
    const std::string& notice() const { return notice_; }

private:
    bool choose(int item);
    static int wrap(int index, int count) { return (index % count + count) % count; }

    Screen screen_ = Screen::Slides;
    int slide_ = 0;
    bool menuOpen_ = false;
    int menuIndex_ = 0;
    bool optionsOpen_ = false;
    int optionIndex_ = 0;
    std::array<bool, optionNames.size()> options_{true, true, false, false};
    int shotsFired_ = 0;
    std::string notice_;
};

}  // namespace zembrot
