#pragma once
// Pieces of the game's look that its screens and the demo's pictures share.

#include <QPointF>
#include <QSize>

class QPainter;

namespace zembrot {

// The night sky: deep blue at the top to violet at the bottom.
void drawSky(QPainter& p, QSize size);
// The game's ship, its nose at `nose`, pointing right.
void drawShip(QPainter& p, QPointF nose, qreal scale);

}  // namespace zembrot
