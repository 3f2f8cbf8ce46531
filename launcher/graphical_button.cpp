#include "launcher/graphical_button.h"

#include <QPainter>
#include <QPen>

namespace launcher {

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

    const int right = face.right(), bottom = face.bottom();
    auto edge = [&](const QColor& colour, int inset, bool topLeft) {
        painter.setPen(colour);
        if (topLeft) {
            painter.drawLine(inset, inset, right - inset, inset);
            painter.drawLine(inset, inset, inset, bottom - inset);
        } else {
            painter.drawLine(inset, bottom - inset, right - inset, bottom - inset);
            painter.drawLine(right - inset, inset, right - inset, bottom - inset);
        }
    };
    if (isDown()) {
        edge(Qt::black, 0, true);
        edge(QColor(128, 128, 128), 1, true);
        edge(Qt::white, 0, false);
    } else {
        edge(Qt::white, 0, true);
        edge(Qt::black, 0, false);
        edge(QColor(128, 128, 128), 1, false);
    }
    if (hasFocus()) {
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(face.adjusted(4, 4, -5, -5));
    }
}

}  // namespace launcher
