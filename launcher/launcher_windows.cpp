#include "launcher/launcher_windows.h"

#include "launcher/dialog.h"
#include "launcher/frm_ownbox.h"
#include "launcher/start.h"
#include "view/window_placement.h"

namespace launcher {

LauncherWindows::LauncherWindows(platform::Platform& platform) : platform_(platform) {}

LauncherWindows::~LauncherWindows() = default;

start& LauncherWindows::loadStart() {
    if (!start_) {
        start_ = std::make_unique<start>(*this);
        if (offScreen) start_->setAttribute(Qt::WA_DontShowOnScreen);
        try {
            start_->Form_Load();
        } catch (const menu::SequenceEnded&) {
            // A key unloaded the window while the presentation waited.
        }
    }
    return *start_;
}

frmOwnbox& LauncherWindows::ownbox() {
    if (!ownbox_) {
        auto box = std::make_unique<frmOwnbox>(*this);
        if (offScreen) box->setAttribute(Qt::WA_DontShowOnScreen);
        box->Form_Load();
        ownbox_ = std::move(box);
    }
    return *ownbox_;
}

// The window's own handler is still running when it asks to be unloaded, so
// the object goes once control is back in the event loop.
void LauncherWindows::unloadOwnbox() {
    if (!ownbox_) return;
    ownbox_->hide();
    ownbox_.release()->deleteLater();
    windowUnloaded();
}

// Without a window manager nobody else hands the focus on, and the keys of
// the start screen would reach it only under the pointer.
void LauncherWindows::focusStartWindow() {
    if (start_ && start_->isLoaded() && start_->isVisible()) view::giveFocusTo(*start_);
}

Dialog& LauncherWindows::showDialog() {
    if (!dialog_) {
        auto dialog = std::make_unique<Dialog>(*this);
        dialog->Form_Load();
        dialog_ = std::move(dialog);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    return *dialog_;
}

void LauncherWindows::unloadDialog() {
    if (!dialog_) return;
    dialog_->hide();
    dialog_.release()->deleteLater();
    windowUnloaded();
}

bool LauncherWindows::anyWindowLoaded() const {
    return (start_ && start_->menu().keepsLauncherRunning()) || ownbox_ || dialog_;
}

void LauncherWindows::windowUnloaded() {
    if (!anyWindowLoaded()) {
        if (onLastWindowUnloaded) onLastWindowUnloaded();
        return;
    }
    focusStartWindow();
}

void LauncherWindows::runHandler(const std::function<void()>& handler) {
    const auto failure = menu::runHandler(handler, start_ ? &start_->menu() : nullptr);
    if (failure && onUncaughtFailure) onUncaughtFailure(*failure);
}

}  // namespace launcher
