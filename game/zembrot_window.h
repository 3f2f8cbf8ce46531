#pragma once
// The game's one window: paints the game state, logs and applies every key.

#include <QWidget>

#include "game/game_state.h"
#include "game/key_log.h"

namespace zembrot {

class ZembrotWindow : public QWidget {
public:
    ZembrotWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab is a key like any other here, not a focus move.
    bool focusNextPrevChild(bool) override { return false; }

private:
    // Without a window manager nobody hands the new window the keyboard
    // focus; take it explicitly once the window is viewable.
    void takeKeyboardFocus();

    GameState state_;
    KeyLog log_;
    int focusAttempts_ = 0;
};

}  // namespace zembrot
