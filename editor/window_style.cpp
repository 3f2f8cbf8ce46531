#include "window_style.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "view/window_placement.h"

namespace editor {

void paintVarnoIcon(QPainter& painter, qreal size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), unit));
    painter.setBrush(QColor(251, 255, 198));
    painter.drawRect(QRectF(2.5 * unit, 0.5 * unit, 11 * unit, 15 * unit));
    painter.setPen(QPen(QColor(0x00, 0x00, 0x80), 2.2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(4.5 * unit, 3.5 * unit), QPointF(8 * unit, 12.5 * unit),
                                    QPointF(11.5 * unit, 3.5 * unit)}));
    painter.restore();
}

QIcon varnoIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintVarnoIcon(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void centreOnScreen(QWidget* window) {
    if (!window->isVisible()) window->adjustSize();  // its fixed size, before the first show
    view::centreByOuterFrame(*window);
}

void bringForward(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    view::giveFocusTo(window);
}

}  // namespace editor
