#pragma once
// How the game writes a key into its log: modifiers first (Ctrl+, Alt+,
// Shift+), then the key: Space, Return, Down, Escape, a letter upper-case.

#include <string>

#include <Qt>

#include "game/game_state.h"

namespace zembrot {

// Empty for a modifier key pressed on its own (it is part of the next key).
std::string keyName(int key, Qt::KeyboardModifiers modifiers);

// The game's reading of a key, or Input::Other.
Input inputFor(int key, Qt::KeyboardModifiers modifiers);

}  // namespace zembrot
