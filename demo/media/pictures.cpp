#include "pictures.h"

#include "game/space_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace demo_media {

namespace {

const QColor gold(255, 206, 84);
const QColor pale(222, 228, 255);

QFont font(int pixelSize, bool bold = true, const char* family = "Liberation Sans") {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void stars(QPainter& p, QSize size, unsigned seed, int count, double drift = 0) {
    auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 8) & 0xffff; };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double speed = 1 + next() % 3;
        const double x = std::fmod(next() % size.width() - drift * speed + 10 * size.width(), size.width());
        const int y = static_cast<int>(next() % size.height());
        const int level = 120 + static_cast<int>(next() % 136);
        p.setBrush(QColor(level, level, std::min(255, level + 30)));
        p.drawRect(QRectF(x, y, speed > 2 ? 2 : 1, speed > 2 ? 2 : 1));
    }
}

void planet(QPainter& p, QPointF centre, double radius) {
    QRadialGradient body(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    body.setColorAt(0, QColor(255, 190, 110));
    body.setColorAt(0.45, QColor(214, 92, 48));
    body.setColorAt(1, QColor(60, 14, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);
}

void titleWord(QPainter& p, const QString& text, QRectF box, int size) {
    QFont f = font(size, true, "Liberation Serif");
    f.setLetterSpacing(QFont::AbsoluteSpacing, size / 10.0);
    QPainterPath word;
    word.addText(0, 0, f, text);
    const QRectF bounds = word.boundingRect();
    word.translate(box.center() - bounds.center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(word.translated(3, 4));
    QLinearGradient shine(0, box.center().y() - bounds.height() / 2, 0, box.center().y() + bounds.height() / 2);
    shine.setColorAt(0, QColor(255, 244, 190));
    shine.setColorAt(0.55, gold);
    shine.setColorAt(1, QColor(196, 110, 30));
    p.setPen(QPen(QColor(90, 40, 10), 1.5));
    p.setBrush(shine);
    p.drawPath(word);
}

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

QImage logo() {
    QImage image = canvas(345, 416);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QSize size = image.size();
    zembrot::drawSky(p, size);
    stars(p, size, 7u, 90);
    planet(p, QPointF(262, 330), 120);
    // The launcher's title lines stay on top of the logo (40 .. 178) and its
    // buttons in the column at 120 .. 209: the art keeps clear of both, and
    // everything is laid out on the visible part, 8 .. 336.
    p.translate(8, 0);
    p.setFont(font(12, false));
    p.setPen(pale);
    p.drawText(QRect(0, 10, 328, 20), Qt::AlignCenter, "K E L O   G A M E S   P R E S E N T S");
    p.setPen(QPen(gold, 1));
    p.drawLine(60, 32, 268, 32);
    zembrot::drawShip(p, QPointF(104, 208), 0.9);
    return image;
}

QImage buttonFace(const QString& caption, QColor colour) {
    QImage image = canvas(89, 35);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, 35);
    face.setColorAt(0, colour.lighter(160));
    face.setColorAt(0.5, colour);
    face.setColorAt(1, colour.darker(170));
    p.setPen(QPen(colour.darker(250), 1.5));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1.5, 1.5, 86, 32), 9, 9);
    // A highlight across the upper half, as on a glossy key.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(5, 3.5, 79, 12), 6, 6);
    p.setFont(font(17));
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(QRect(1, 2, 89, 35), Qt::AlignCenter, caption);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 89, 35), Qt::AlignCenter, caption);
    return image;
}

QImage helpPicture() {
    QImage image = canvas(313, 353);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    zembrot::drawSky(p, image.size());
    stars(p, image.size(), 99u, 60);
    planet(p, QPointF(280, 330), 70);
    titleWord(p, "HOW TO PLAY", QRectF(0, 14, 313, 44), 30);
    const QStringList keys{"Arrows", "Space", "Alt+G", "Alt+O", "Esc"};
    const QStringList meanings{"steer the ship", "fire / next slide", "game menu", "options", "quit"};
    for (int i = 0; i < keys.size(); ++i) {
        const QRect keyBox(22, 80 + i * 42, 84, 30);
        p.setPen(QPen(QColor(120, 130, 200), 1));
        p.setBrush(QColor(40, 46, 96));
        p.drawRoundedRect(keyBox, 6, 6);
        p.setFont(font(14));
        p.setPen(gold);
        p.drawText(keyBox, Qt::AlignCenter, keys[i]);
        p.setFont(font(15, false));
        p.setPen(pale);
        p.drawText(QRect(120, keyBox.top(), 190, 30), Qt::AlignLeft | Qt::AlignVCenter, meanings[i]);
    }
    p.setFont(font(12, false));
    p.setPen(QColor(190, 196, 230));
    p.drawText(QRect(22, 296, 200, 40), Qt::AlignLeft | Qt::TextWordWrap,
               "Press S on the start screen to skip the intro.");
    return image;
}

QImage clipFrame(int index, int count) {
    QImage image = canvas(320, 240);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = count > 1 ? static_cast<double>(index) / (count - 1) : 1.0;
    zembrot::drawSky(p, image.size());
    stars(p, image.size(), 31u, 110, index * 4.0);
    // The planet grows as the ship closes in; the ship crosses the frame.
    planet(p, QPointF(240, 150), 40 + 70 * t);
    zembrot::drawShip(p, QPointF(-20 + 260 * t, 120 - 20 * t), 0.8 + 0.4 * t);
    if (t > 0.25) {
        p.setOpacity(std::min(1.0, (t - 0.25) / 0.25));
        titleWord(p, "ZEMBROT", QRectF(0, 20, 320, 60), 42);
        p.setOpacity(1);
    }
    // The frame that shows where the clip's window lies.
    p.setPen(QPen(clipFrameColour, 8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, 312, 232));
    return image;
}

}  // namespace demo_media
