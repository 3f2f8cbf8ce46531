#include "launcher/artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace launcher {

namespace {

// The classic 16-colour palette, the only colours the pictures use.
const QColor kBlack(0, 0, 0), kMaroon(128, 0, 0), kNavy(0, 0, 128), kOlive(128, 128, 0),
    kGrey(128, 128, 128), kSilver(192, 192, 192), kRed(255, 0, 0), kYellow(255, 255, 0), kBlue(0, 0, 255),
    kWhite(255, 255, 255);

QPixmap canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Sharp edges keep every pixel to one of the palette's colours.
void prepare(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing, false); }

QFont glyphFont(int pixelSize, bool serif) {
    QFont font(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void disc(QPainter& painter, int size, const QColor& fill, const QColor& rim) {
    painter.setPen(rim);
    painter.setBrush(fill);
    painter.drawEllipse(1, 1, size - 3, size - 3);
}

void glyph(QPainter& painter, int size, const QString& text, const QColor& colour, double scale, bool serif) {
    painter.setPen(colour);
    painter.setFont(glyphFont(std::max(6, static_cast<int>(size * scale)), serif));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
}

}  // namespace

QPixmap errorIcon(int size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    prepare(painter);
    disc(painter, size, kYellow, kOlive);
    // The mark is drawn, not typed, so it looks the same with any fonts.
    const int bar = std::max(2, size / 8);
    const int middle = size / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlack);
    painter.drawRect(middle - bar / 2, size / 5, bar, size / 2);
    painter.drawRect(middle - bar / 2, size * 3 / 4, bar, bar);
    return pixmap;
}

QPixmap infoIcon(int size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    prepare(painter);
    disc(painter, size, kNavy, kBlack);
    const int bar = std::max(2, size / 8);
    const int middle = size / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWhite);
    painter.drawRect(middle - bar / 2, size / 5, bar, bar);
    painter.drawRect(middle - bar / 2, size * 2 / 5, bar, size * 2 / 5);
    painter.drawRect(middle - bar, size * 4 / 5 - 1, bar * 2, std::max(1, bar / 2));
    return pixmap;
}

QPixmap stopIcon(int size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    prepare(painter);
    const double r = size / 2.0 - 1, c = size / 2.0;
    QPolygonF octagon;
    for (int corner = 0; corner < 8; ++corner) {
        const double angle = (22.5 + 45.0 * corner) * M_PI / 180.0;
        octagon << QPointF(c + r * std::cos(angle), c + r * std::sin(angle));
    }
    painter.setPen(kWhite);
    painter.setBrush(kMaroon);
    painter.drawPolygon(octagon);
    glyph(painter, size, QStringLiteral("STOP"), kWhite, 0.28, false);
    return pixmap;
}

QPixmap questionIcon(int size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    prepare(painter);
    disc(painter, size, kWhite, kGrey);
    glyph(painter, size, QStringLiteral("?"), kRed, 0.75, true);
    return pixmap;
}

QPixmap ownboxDecoration() {
    QPixmap pixmap = canvas(32);
    QPainter painter(&pixmap);
    prepare(painter);
    painter.fillRect(0, 0, 32, 32, kNavy);
    painter.setPen(kSilver);
    painter.drawRect(0, 0, 31, 31);
    QPolygonF star;
    for (int point = 0; point < 10; ++point) {
        const double radius = point % 2 == 0 ? 13.0 : 5.5;
        const double angle = (-90.0 + 36.0 * point) * M_PI / 180.0;
        star << QPointF(16 + radius * std::cos(angle), 17 + radius * std::sin(angle));
    }
    painter.setPen(kOlive);
    painter.setBrush(kYellow);
    painter.drawPolygon(star);
    return pixmap;
}

void paintStartWindowIcon(QPainter& painter, int size) {
    painter.save();
    // Pixel-sharp at window-icon sizes, smooth where the pixels are many.
    painter.setRenderHint(QPainter::Antialiasing, size > 32);
    painter.fillRect(0, 0, size, size, kBlue);
    const int rim = std::max(1, size / 32);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kYellow);
    painter.drawRect(0, 0, size, rim);
    painter.drawRect(0, size - rim, size, rim);
    painter.drawRect(0, 0, rim, size);
    painter.drawRect(size - rim, 0, rim, size);
    const double s = size / 32.0;
    const QPolygonF play{QPointF(10 * s, 7 * s), QPointF(25 * s, 16 * s), QPointF(10 * s, 25 * s)};
    painter.setPen(kWhite);
    painter.setBrush(kWhite);
    painter.drawPolygon(play);
    painter.restore();
}

QIcon startWindowIcon() {
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap = canvas(size);
        QPainter painter(&pixmap);
        paintStartWindowIcon(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace launcher
