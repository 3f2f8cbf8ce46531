#pragma once
// A game folder like the demo's: an editor-written menu script whose four
// button pictures and background picture are 640 x 480 bitmaps.

#include <QColor>
#include <filesystem>

namespace launcher_bench {

// The background picture's one colour, which shows once the window is drawn.
inline const QColor kBackground(16, 20, 64);

// `timeDelay3` goes into TIMEDELAY3.
std::filesystem::path makeGameFolder(const std::string& name, int timeDelay3 = 1);

}  // namespace launcher_bench
