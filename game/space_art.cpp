#include "game/space_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zembrot {

void drawSky(QPainter& p, QSize size) {
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(4, 5, 22));
    sky.setColorAt(0.7, QColor(26, 14, 62));
    sky.setColorAt(1, QColor(52, 20, 70));
    p.fillRect(QRect(QPoint(0, 0), size), sky);
}

void drawShip(QPainter& p, QPointF nose, qreal scale) {
    p.save();
    p.translate(nose);
    p.scale(scale, scale);
    QPainterPath hull;
    hull.moveTo(0, 0);
    hull.lineTo(-46, -14);
    hull.lineTo(-60, -4);
    hull.lineTo(-60, 4);
    hull.lineTo(-46, 14);
    hull.closeSubpath();
    QLinearGradient metal(0, -14, 0, 14);
    metal.setColorAt(0, QColor(220, 230, 245));
    metal.setColorAt(1, QColor(90, 100, 130));
    p.setPen(QPen(QColor(30, 34, 60), 1.5));
    p.setBrush(metal);
    p.drawPath(hull);
    p.setBrush(QColor(90, 200, 255));
    p.drawEllipse(QPointF(-22, -2), 7, 4);
    // Exhaust.
    QLinearGradient flame(-60, 0, -90, 0);
    flame.setColorAt(0, QColor(255, 240, 160));
    flame.setColorAt(1, QColor(255, 90, 30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(flame);
    p.drawPolygon(QPolygonF{QPointF(-60, -5), QPointF(-92, 0), QPointF(-60, 5)});
    p.restore();
}

}  // namespace zembrot
