#include "frame_box.h"

#include <QPainter>
#include <QStyle>

namespace editor {

namespace {

constexpr int kLineTop = 6;        // where the top line runs
constexpr int kCaptionLeft = 6;    // the caption's place on it
constexpr int kCaptionPadding = 2; // line left clear on either side of it
const QColor kLineColour(0xa0, 0xa0, 0xa0);

}  // namespace

FrameBox::FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

// Painted here rather than by a style sheet: a sheet on the window restyles
// every control in it, which costs a noticeable part of the editor's start.
void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // The caption's box is as wide as its text and a blank, the text centred
    // in it.
    const QRect caption(kCaptionLeft + kCaptionPadding, 0,
                        metrics.size(Qt::TextHideMnemonic, title() + QLatin1Char(' ')).width(), metrics.height());
    const QRect gap = caption.adjusted(-kCaptionPadding, 0, kCaptionPadding, 0);

    painter.save();
    painter.setClipRegion(QRegion(rect()) - gap);
    const QRect line(0, kLineTop, width(), height() - kLineTop);
    painter.fillRect(line.left(), line.top(), line.width(), 1, kLineColour);
    painter.fillRect(line.left(), line.bottom(), line.width(), 1, kLineColour);
    painter.fillRect(line.left(), line.top(), 1, line.height(), kLineColour);
    painter.fillRect(line.right(), line.top(), 1, line.height(), kLineColour);
    painter.restore();

    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

}  // namespace editor
