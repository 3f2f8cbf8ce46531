#pragma once
// Draws the game's screens: space backdrop, slides, title, menus.

class QPainter;

namespace zembrot {

class GameState;

class ScenePainter {
public:
    static constexpr int width = 640;
    static constexpr int height = 480;
    static void paint(QPainter& painter, const GameState& state);
};

}  // namespace zembrot
