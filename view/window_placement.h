#pragma once
// Placing top-level windows the way their design asks, with or without a
// window manager.

class QScreen;
class QWidget;

namespace view {

// Centres `window` on `screen` (its own or the primary one when null) by its
// outer frame, title bar and border included. A window manager adds the frame
// only once the window is shown, so the window is centred again when its
// frame first becomes known.
void centreByOuterFrame(QWidget& window, const QScreen* screen = nullptr);

// Gives the keyboard focus to `window`: through the window manager where there
// is one, else by setting the X input focus directly.
void giveFocusTo(QWidget& window);

}  // namespace view
