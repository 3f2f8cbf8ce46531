#pragma once
// Geometry and fonts shared by the editor's windows. Positions come in twips,
// 15 to a pixel at 96 dots per inch.

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QSize>

class QPainter;

namespace editor {

constexpr int twipsToPixels(int twips) { return twips / 15; }
inline QRect twips(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
inline QSize twipsSize(int width, int height) { return QSize(twipsToPixels(width), twipsToPixels(height)); }

inline QFont sansSerif(double points, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
inline QFont windowFont() { return sansSerif(9.75, true); }
inline QFont controlFont(bool bold = false) { return sansSerif(8.25, bold); }

// The icon of both windows and of the desktop entry: a "V" on a pale page,
// drawn in a square of `size` pixels from the painter's origin.
void paintVarnoIcon(QPainter& painter, qreal size);
QIcon varnoIcon();

// Places a top-level window in the middle of its screen by its outer frame,
// also once a window manager has framed it; called before the first show, so
// that the window appears there at once.
void centreOnScreen(QWidget* window);

// Puts a window the user asks for again in front of the others, with the
// keyboard, also when it was minimised.
void bringForward(QWidget& window);

}  // namespace editor
