#include "game/game_state.h"

namespace zembrot {

bool GameState::handle(Input input) {
    if (input == Input::Escape) return false;
    if (input == Input::GameMenu) {
        menuOpen_ = !menuOpen_;
        menuIndex_ = 0;
        optionsOpen_ = false;
        return true;
    }
    if (input == Input::Options) {
        optionsOpen_ = !optionsOpen_;
        optionIndex_ = 0;
        menuOpen_ = false;
        return true;
    }
    if (menuOpen_) {
        const int count = static_cast<int>(menuItems.size());
        if (input == Input::Down) menuIndex_ = wrap(menuIndex_ + 1, count);
        if (input == Input::Up) menuIndex_ = wrap(menuIndex_ - 1, count);
        if (input == Input::Return) {
            menuOpen_ = false;
            return choose(menuIndex_);
        }
        return true;
    }
    if (optionsOpen_) {
        const int count = static_cast<int>(optionNames.size());
        if (input == Input::Down) optionIndex_ = wrap(optionIndex_ + 1, count);
        if (input == Input::Up) optionIndex_ = wrap(optionIndex_ - 1, count);
        if (input == Input::Return) {
            auto& value = options_[static_cast<std::size_t>(optionIndex_)];
            value = !value;
        }
        return true;
    }
    if (input == Input::Space) {
        if (screen_ == Screen::Slides) {
            if (++slide_ >= slideCount) screen_ = Screen::Title;
        } else if (screen_ == Screen::Playing) {
            ++shotsFired_;
        }
    }
    return true;
}

bool GameState::choose(int item) {
    const std::string name = menuItems[static_cast<std::size_t>(item)];
    if (name == "New Game") {
        screen_ = Screen::Playing;
        shotsFired_ = 0;
        notice_ = "Level 1 - good luck, pilot";
    } else if (name == "Setup") {
        screen_ = Screen::Setup;
        notice_ = "Setup - Alt+O opens the options";
    } else if (name == "Quit") {
        return false;
    } else if (name == "Continue" || name == "Load Game") {
        notice_ = "No saved game yet";
    } else if (name == "Controls") {
        notice_ = "Arrows steer, Space fires, Esc quits";
    } else {
        notice_ = name + " settings live in the options (Alt+O)";
    }
    return true;
}

}  // namespace zembrot
