#pragma once
// The environment a program was started with, kept for the programs it
// starts in turn, and the one change made to it for our own process.

#include <QProcessEnvironment>
#include <QStringList>

namespace platform {

// Call first in main, before the environment is changed or a thread starts.
// Remembers the environment as given; repeating is harmless.
void rememberGivenEnvironment();

// The environment as given to this program: what every program it starts
// gets, unchanged. The current environment when none was remembered.
QProcessEnvironment givenEnvironment();

// Starts a program without waiting for it, in the working folder, with the
// given environment. False when it cannot be executed.
bool startDetachedAsGiven(const QString& program, const QStringList& arguments);

// With no session bus to connect to, the D-Bus library would start one
// (forking a search of the PATH for its launcher) the first time a window
// with text asks for accessibility, and the window would wait for it.
// Accessibility needs a running bus anyway, so this process is told there is
// none. Remembers the given environment first.
void skipSessionBusAutolaunch();

}  // namespace platform
