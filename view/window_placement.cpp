#include "view/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace view {

namespace {

void centreNow(QWidget& window, const QScreen& screen) {
    const QRect area = screen.availableGeometry();
    const QSize outer = window.frameGeometry().size().expandedTo(window.size());
    // move() places the outer frame of a top-level window.
    window.move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

// Centres its window again each time its outer size changes, for as long as
// a window manager may still be adding a frame and the window's own menu and
// status bars may still be settling their heights after the first show.
class FrameWatch : public QObject {
public:
    static constexpr const char* kName = "launcher-frame-watch";

    FrameWatch(QWidget& window, const QScreen* screen)
        : QObject(&window), window_(window), screen_(const_cast<QScreen*>(screen)),
          outer_(window.frameGeometry().size()) {
        setObjectName(kName);
        window.installEventFilter(this);
        // A window manager frames a new window within moments; after that a
        // move is the player's own.
        QTimer::singleShot(3000, this, [this] { deleteLater(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            const QSize outer = window_.frameGeometry().size();
            if (outer != outer_ && screen_) {
                outer_ = outer;
                centreNow(window_, *screen_);
            }
        }
        return false;
    }

private:
    QWidget& window_;
    QPointer<QScreen> screen_;
    QSize outer_;
};

}  // namespace

void centreByOuterFrame(QWidget& window, const QScreen* screen) {
    if (!screen) screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    centreNow(window, *screen);
    const auto watches = window.findChildren<QObject*>(QString::fromLatin1(FrameWatch::kName), Qt::FindDirectChildrenOnly);
    for (QObject* watch : watches) delete watch;
    new FrameWatch(window, screen);
}

void giveFocusTo(QWidget& window) {
    window.raise();
    // Qt asks the window manager through _NET_ACTIVE_WINDOW where it supports
    // that, and sets the X input focus itself where there is none.
    window.activateWindow();
}

}  // namespace view
