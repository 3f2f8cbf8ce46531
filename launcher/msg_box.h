#pragma once
// The launcher's message box as a procedure: fill it, beep, show it.

#include <QString>
#include <cstdint>

namespace launcher {
class LauncherWindows;
}

namespace MsgBox {

// intIcon: 1 stop, 2 information, 3 error, 4 question; any other value keeps
// the icon the box shows. Loads the box first if it is not loaded. Returns as
// soon as it is shown.
void ShowOwnbox(launcher::LauncherWindows& windows, const QString& strTitle, const QString& strPrompt,
                std::int16_t intIcon);

}  // namespace MsgBox
