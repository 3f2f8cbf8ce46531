#pragma once
// Where things are in the launcher's windows, in pixels of their client
// areas: what a person clicking them, a walk or a test needs to know.

#include <QRect>

namespace desktop_driver::layout {

inline constexpr char startTitle[] = "Start";
inline constexpr char helpTitle[] = "Dialog Caption";
inline constexpr char gameTitle[] = "Zembrot";

inline constexpr QSize startClient{328, 416};
// The main layout's column and the splash layout's bottom row (three buttons).
inline constexpr QRect command1{120, 240, 89, 35};  // Play
inline constexpr QRect command3{120, 288, 89, 35};  // Help
inline constexpr QRect command5{120, 336, 89, 35};  // Stop
inline constexpr QRect command2{120, 376, 89, 35};  // Setup
inline constexpr QRect command4{8, 360, 89, 35};    // Start (splash)
inline constexpr QRect command7{120, 360, 89, 35};  // Help (splash)
inline constexpr QRect command6{230, 360, 89, 35};  // Stop (splash)
inline constexpr QRect label1{48, 40, 217, 41};
// The background picture control, and so the logo, starts 8 pixels left of the window.
inline constexpr QPoint image1Origin{-8, 0};
// The intro clip's window.
inline constexpr QPoint clipOrigin{10, 10};

// The help screen: its picture at 8, 8 and its OK button.
inline constexpr QPoint image2Origin{8, 8};
inline constexpr QRect okButton{120, 368, 81, 33};

}  // namespace desktop_driver::layout
