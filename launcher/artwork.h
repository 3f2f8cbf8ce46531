#pragma once
// The launcher's own pictures, drawn in the 16 colours of the classic
// palette: window icon, the message box's four icons and its decoration.

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace launcher {

QIcon startWindowIcon();       // 32 x 32 and 16 x 16
// The same picture in a square of `size` pixels, for the desktop's icons too.
void paintStartWindowIcon(QPainter& painter, int size);
QPixmap errorIcon(int size = 32);     // black exclamation mark on a yellow disc
QPixmap infoIcon(int size = 32);      // white "i" on a dark-blue disc
QPixmap stopIcon(int size = 32);      // dark-red octagon with the white word STOP
QPixmap questionIcon(int size = 32);  // red question mark on a white disc
QPixmap ownboxDecoration();           // 32 x 32: a gold star on a navy tile

}  // namespace launcher
