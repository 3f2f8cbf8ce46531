#include "view/screen_label.h"

#include <QPalette>
#include <cmath>

namespace view {

ScreenLabel::ScreenLabel(QWidget* parent, const QRect& designGeometry, bool centred)
    : QLabel(parent), centred_(centred), middleX_(designGeometry.x() + designGeometry.width() / 2.0) {
    setTextFormat(Qt::PlainText);
    setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    setGeometry(designGeometry);
}

void ScreenLabel::setAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    if (on) fitToText();
}

void ScreenLabel::setCaption(const QString& caption) {
    if (caption == text()) return;
    setText(caption);
    if (autoSize_) fitToText();
}

void ScreenLabel::setTextColour(const QColor& colour) {
    if (palette().color(QPalette::WindowText) == colour) return;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

void ScreenLabel::setFontIfChanged(const QFont& newFont) {
    if (newFont == font()) return;
    setFont(newFont);
    if (autoSize_) fitToText();
}

void ScreenLabel::holdSizing(bool hold) {
    holdSizing_ = hold;
    if (!hold && sizeStale_) {
        sizeStale_ = false;
        if (autoSize_) fitToText();
    }
}

void ScreenLabel::fitToText() {
    if (holdSizing_) {
        sizeStale_ = true;
        return;
    }
    const QSize size = sizeHint();
    int left = x();
    if (centred_) left = static_cast<int>(std::lround(middleX_ - size.width() / 2.0));
    setGeometry(left, y(), size.width(), size.height());
}

}  // namespace view
