#include "view/graphical_button.h"

#include <QPainter>
#include <QPen>

namespace view {

GraphicalButton::GraphicalButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicalButton::setFaceColour(const QColor& colour) {
    if (colour == faceColour_) return;
    faceColour_ = colour;
    update();
}

void GraphicalButton::setPicture(const QPixmap& picture) {
    if (picture.cacheKey() == picture_.cacheKey()) return;
    picture_ = picture;
    update();
}

void GraphicalButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, faceColour_);

    // Pressed, the contents move one pixel down and right, as on a real face.
    const int shift = isDown() ? 1 : 0;
    if (!picture_.isNull()) {
        const QPoint topLeft((width() - picture_.width()) / 2 + shift,
                             (height() - picture_.height()) / 2 + shift);
        painter.setClipRect(face.adjusted(2, 2, -2, -2));
        painter.drawPixmap(topLeft, picture_);
        painter.setClipping(false);
    }
    if (!text().isEmpty()) {
        painter.setFont(font());
        painter.setPen(Qt::black);
        painter.drawText(face.translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }

    // The edges are bands in the widget's own units. At a fractional scale a
    // line drawn on the last column rounds away from the widget's last device
    // pixel and leaves a strip of face; the outer bands therefore reach past
    // the widget, and its clip keeps exactly what is its own.
    const qreal w = width(), h = height();
    auto raisedOrSunken = [&](const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRectF(-1, -1, w + 1, 2), topLeft);
        painter.fillRect(QRectF(-1, -1, 2, h + 1), topLeft);
        painter.fillRect(QRectF(-1, h - 1, w + 2, 2), bottomRight);
        painter.fillRect(QRectF(w - 1, -1, 2, h + 2), bottomRight);
    };
    const QColor shadow(128, 128, 128);
    if (isDown()) {
        raisedOrSunken(Qt::black, Qt::white);
        painter.fillRect(QRectF(1, 1, w - 2, 1), shadow);
        painter.fillRect(QRectF(1, 1, 1, h - 2), shadow);
    } else {
        raisedOrSunken(Qt::white, Qt::black);
        painter.fillRect(QRectF(1, h - 2, w - 2, 1), shadow);
        painter.fillRect(QRectF(w - 2, 1, 1, h - 2), shadow);
    }
    if (hasFocus()) {
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(face.adjusted(4, 4, -5, -5));
    }
}

}  // namespace view
