#include "platform/drive_rule.h"

namespace platform {

DriveStep DriveRule::next(const DriveSight& sight) {
    const double now = sight.now;
    if (!sight.window) {
        if (sight.ended) return DriveStep::Ended;
        if (!everShown_) return now - startedAt_ >= times_.windowWait ? DriveStep::NoWindow : DriveStep::Wait;
        // A game may swap its window, going full screen: give it a moment.
        if (goneAt_ < 0) goneAt_ = now;
        window_ = 0;
        return now - goneAt_ >= times_.closedGrace ? DriveStep::WindowClosed : DriveStep::Wait;
    }
    goneAt_ = -1;
    if (sight.window != window_) {
        window_ = sight.window;
        shownAt_ = now;
        ready_ = false;
        unfocusedAt_ = -1;
    }
    everShown_ = true;
    if (sight.focused) {
        unfocusedAt_ = -1;
        asks_ = 0;
        return ready(sight) ? DriveStep::Send : DriveStep::Wait;
    }
    if (unfocusedAt_ < 0) {
        unfocusedAt_ = askedAt_ = now;
        ++asks_;
        return DriveStep::AskForFocus;
    }
    if (now - unfocusedAt_ >= times_.focusWait) return DriveStep::NoFocus;
    if (now - askedAt_ >= times_.askAgain) {
        askedAt_ = now;
        ++asks_;
        return DriveStep::AskForFocus;
    }
    return DriveStep::Wait;
}

bool DriveRule::ready(const DriveSight& sight) {
    if (ready_) return true;
    const double shown = sight.now - shownAt_;
    const bool painted = sight.firstPaint >= 0 && sight.lastPaint >= sight.firstPaint + times_.clearing &&
                         sight.now - sight.lastPaint >= times_.paintSettle && shown >= times_.readyAtLeast;
    ready_ = sight.pingAnswered || (!sight.listsPing && painted) || shown >= times_.readyAtMost;
    return ready_;
}

std::string driveFailure(DriveStep step, const std::string& program, bool everShown, const std::string& ending) {
    switch (step) {
        case DriveStep::Ended:
            return program + (everShown ? " ended before it took its keys (" : " ended before it opened a window (") +
                   ending + ")";
        case DriveStep::NoWindow: return program + " did not open a window within 120 seconds";
        case DriveStep::WindowClosed: return program + " closed its window before it took its keys";
        case DriveStep::NoFocus: return program + "'s window did not take the keyboard focus";
        case DriveStep::Wait:
        case DriveStep::AskForFocus:
        case DriveStep::Send: break;
    }
    return {};
}

}  // namespace platform
