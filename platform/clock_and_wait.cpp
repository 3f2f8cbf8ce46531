#include "platform/clock_and_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <time.h>

namespace platform {

double secondsSinceLocalMidnight() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
}

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

namespace {

constexpr double maxRoundSeconds = 0.5;

void sleepUntil(double deadline) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(deadline);
    until.tv_nsec = static_cast<long>((deadline - static_cast<double>(until.tv_sec)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

}  // namespace

void serviceEventsFor(double seconds) {
    if (!(seconds > 0)) return;
    const double deadline = monotonicSeconds() + seconds;
    if (!QCoreApplication::instance()) {
        sleepUntil(deadline);
        return;
    }
    // QTimer runs on the monotonic clock too, but a long timer drifts late by
    // about a thousandth of its length: the wait goes in rounds of at most
    // half a second, each measured afresh, so only the last round's few
    // tenths of a millisecond remain. A nested handler may take longer than
    // the rest of the wait; the deadline is checked after each round. An
    // application that is quitting ends its loops at once and the wait with
    // them: repeating would only spin.
    while (true) {
        const double remaining = deadline - monotonicSeconds();
        if (remaining <= 0) return;
        QEventLoop loop;
        QTimer deadlineTimer;
        deadlineTimer.setTimerType(Qt::PreciseTimer);
        deadlineTimer.setSingleShot(true);
        QObject::connect(&deadlineTimer, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
        // Rounded up so the last round never ends a moment early.
        deadlineTimer.start(static_cast<int>(std::ceil(std::min(remaining, maxRoundSeconds) * 1000.0)));
        if (loop.exec() != 0) return;
    }
}

}  // namespace platform

namespace platform {

bool serviceEventsUntil(const std::function<bool()>& done, double timeoutSeconds, double pollSeconds) {
    if (done()) return true;
    const double deadline = monotonicSeconds() + timeoutSeconds;
    if (!QCoreApplication::instance()) {
        while (monotonicSeconds() < deadline) {
            sleepUntil(std::min(deadline, monotonicSeconds() + pollSeconds));
            if (done()) return true;
        }
        return false;
    }
    bool answer = false;
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        answer = done();
        if (answer || monotonicSeconds() >= deadline) loop.exit(0);
    });
    poll.start(std::max(1, static_cast<int>(pollSeconds * 1000.0)));
    if (loop.exec() != 0) return done();
    return answer;
}

}  // namespace platform
