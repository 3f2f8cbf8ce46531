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

ZembrotWindow::ZembrotWindow(Habits habits) : habits_(habits) {
    setWindowTitle("Zembrot");
    setFixedSize(ScenePainter::width, ScenePainter::height);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void ZembrotWindow::appear() {
    if (habits_.plain || habits_.readsKeysAfterMs > 0) {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display* display = x11 ? x11->display() : nullptr;
        const auto window = static_cast<::Window>(winId());
        if (display && habits_.plain) XDeleteProperty(display, window, XInternAtom(display, "_NET_WM_PID", False));
        // A program busy starting up would not answer pings: it lists none.
        if (display && habits_.readsKeysAfterMs > 0) {
            Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
            XSetWMProtocols(display, window, &deleteWindow, 1);
        }
        if (display) XSync(display, False);
    }
    shown_.start();
    show();
    // It paints its first picture when it starts reading keys.
    if (habits_.readsKeysAfterMs > 0) QTimer::singleShot(habits_.readsKeysAfterMs, this, [this] { repaint(); });
}

bool ZembrotWindow::readingKeys() const {
    return !shown_.isValid() || shown_.elapsed() >= habits_.readsKeysAfterMs;
}

void ZembrotWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!readingKeys()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    ScenePainter::paint(painter, state_);
}

void ZembrotWindow::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const std::string name = keyName(event->key(), modifiers);
    if (name.empty()) return;
    if (!readingKeys()) {
        qWarning("zembrot: not reading keys yet, %s lost", name.c_str());
        return;
    }
    log_.append(name);
    if (habits_.closesWindowOnFirstKey) {
        hide();
        return;
    }
    if (!state_.handle(inputFor(event->key(), modifiers))) {
        close();
        return;
    }
    // Drawn before the next key is taken: a key's effect is on screen at once.
    repaint();
}

void ZembrotWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (habits_.plain) return;
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
