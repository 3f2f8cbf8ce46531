#pragma once
// The demo's pictures, drawn here with QPainter.

#include <QColor>
#include <QImage>
#include <QString>

namespace demo_media {

// The logo the launcher shows before the clip; it covers the whole start
// window (the picture control sits 8 pixels left of the window's edge).
QImage logo();
// A graphical button face, 89 x 35, the caption drawn into it.
QImage buttonFace(const QString& caption, QColor colour);
// The help screen's picture: how to play.
QImage helpPicture();
// One frame of the intro clip, 320 x 240, framed in clipFrameColour.
QImage clipFrame(int index, int count);
inline const QColor clipFrameColour{40, 200, 220};

}  // namespace demo_media
