#include "game/zembrot_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <X11/Xlib.h>
#include <QtGui/qguiapplication_platform.h>

#include "game/key_name.h"
#include "game/scene_painter.h"

namespace zembrot {

ZembrotWindow::ZembrotWindow() {
    setWindowTitle("Zembrot");
    setFixedSize(ScenePainter::width, ScenePainter::height);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void ZembrotWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ScenePainter::paint(painter, state_);
}

void ZembrotWindow::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const std::string name = keyName(event->key(), modifiers);
    if (name.empty()) return;
    log_.append(name);
    if (!state_.handle(inputFor(event->key(), modifiers))) {
        close();
        return;
    }
    // Drawn before the next key is taken: a key's effect is on screen at once.
    repaint();
}

void ZembrotWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    focusAttempts_ = 0;
    QTimer::singleShot(0, this, [this] { takeKeyboardFocus(); });
}

void ZembrotWindow::takeKeyboardFocus() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display() || !isVisible()) return;
    Display* display = x11->display();
    const auto window = static_cast<::Window>(winId());

    XWindowAttributes attributes;
    const bool viewable = XGetWindowAttributes(display, window, &attributes) &&
                          attributes.map_state == IsViewable;
    if (viewable) {
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        if (focus == window) return;
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
    }
    // Until the window is viewable and focused, for at most two seconds.
    if (++focusAttempts_ < 40) QTimer::singleShot(50, this, [this] { takeKeyboardFocus(); });
}

}  // namespace zembrot
