#pragma once
// The game's one window: paints the game state, logs and applies every key.

#include <QElapsedTimer>
#include <QWidget>

#include "game/game_state.h"
#include "game/key_log.h"

namespace zembrot {

// How the game behaves towards the desktop; the defaults are a well-behaved
// toolkit program's.
struct Habits {
    bool plain = false;
    int readsKeysAfterMs = 0;
    bool closesWindowOnFirstKey = false;
};

class ZembrotWindow : public QWidget {
public:
    explicit ZembrotWindow(Habits habits = {});
    // Shows the window as the habits say.
    void appear();

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
    bool readingKeys() const;

    Habits habits_;
    GameState state_;
    KeyLog log_;
    int focusAttempts_ = 0;
    QElapsedTimer shown_;
};

}  // namespace zembrot
