#include "game/scene_painter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "game/game_state.h"
#include "game/space_art.h"

namespace zembrot {

namespace {

const QColor gold(255, 206, 84);
const QColor pale(222, 228, 255);
const QColor panel(14, 18, 46, 225);
const QColor accent(255, 120, 60);

QFont font(int pixelSize, bool bold = false, const char* family = "Liberation Sans") {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void drawSpace(QPainter& p) {
    drawSky(p, QSize(ScenePainter::width, ScenePainter::height));
    // The same stars every time: a small linear congruential sequence.
    unsigned seed = 20261208u;
    auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 8) & 0xffff; };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 140; ++i) {
        const int x = static_cast<int>(next() % ScenePainter::width);
        const int y = static_cast<int>(next() % ScenePainter::height);
        const int level = 120 + static_cast<int>(next() % 136);
        const int size = next() % 9 == 0 ? 2 : 1;
        p.setBrush(QColor(level, level, qMin(255, level + 30)));
        p.drawRect(x, y, size, size);
    }
}

// A thin tilted ring: its far half goes behind the planet, its near half in front.
void drawRing(QPainter& p, QPointF centre, qreal radius, bool farHalf) {
    p.save();
    p.translate(centre);
    p.rotate(-14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 226, 170, farHalf ? 110 : 190), 3));
    const QRectF ring(-radius * 1.7, -radius * 0.32, radius * 3.4, radius * 0.64);
    p.drawArc(ring, farHalf ? 0 : 180 * 16, 180 * 16);
    p.restore();
}

void drawPlanet(QPainter& p, QPointF centre, qreal radius) {
    drawRing(p, centre, radius, true);
    QRadialGradient body(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    body.setColorAt(0, QColor(255, 190, 110));
    body.setColorAt(0.45, QColor(214, 92, 48));
    body.setColorAt(1, QColor(60, 14, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);
    // Bands across the face.
    p.save();
    QPainterPath clip;
    clip.addEllipse(centre, radius, radius);
    p.setClipPath(clip);
    p.setBrush(QColor(120, 36, 30, 70));
    for (int i = -2; i <= 2; ++i)
        p.drawRect(QRectF(centre.x() - radius, centre.y() + i * radius * 0.33, radius * 2, radius * 0.1));
    p.restore();
    drawRing(p, centre, radius, false);
}

void drawCaptionBox(QPainter& p, const QString& line1, const QString& line2) {
    const QRect box(40, 330, ScenePainter::width - 80, 92);
    p.setPen(QPen(QColor(120, 130, 200), 1));
    p.setBrush(panel);
    p.drawRoundedRect(box, 8, 8);
    p.setPen(pale);
    p.setFont(font(20, true));
    p.drawText(box.adjusted(18, 10, -18, -46), Qt::AlignLeft | Qt::AlignVCenter, line1);
    p.setFont(font(16));
    p.drawText(box.adjusted(18, 44, -18, -10), Qt::AlignLeft | Qt::AlignVCenter, line2);
}

void drawFooter(QPainter& p, const QString& text) {
    p.setFont(font(13));
    p.setPen(QColor(170, 176, 220));
    p.drawText(QRect(0, ScenePainter::height - 30, ScenePainter::width, 24), Qt::AlignCenter, text);
}

void drawTitleWord(QPainter& p, int top, int size) {
    QFont f = font(size, true, "Liberation Serif");
    f.setLetterSpacing(QFont::AbsoluteSpacing, size / 8.0);
    QPainterPath word;
    word.addText(0, 0, f, "ZEMBROT");
    const QRectF bounds = word.boundingRect();
    word.translate((ScenePainter::width - bounds.width()) / 2 - bounds.left(), top - bounds.top());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(word.translated(4, 5));
    QLinearGradient shine(0, top, 0, top + bounds.height());
    shine.setColorAt(0, QColor(255, 244, 190));
    shine.setColorAt(0.55, gold);
    shine.setColorAt(1, QColor(196, 110, 30));
    p.setPen(QPen(QColor(90, 40, 10), 2));
    p.setBrush(shine);
    p.drawPath(word);
}

void drawSlide(QPainter& p, int slide) {
    switch (slide) {
    case 0:
        drawPlanet(p, QPointF(430, 170), 110);
        drawCaptionBox(p, "Year 2187.", "The mining colony on Zembrot has gone silent.");
        break;
    case 1:
        drawPlanet(p, QPointF(560, 110), 60);
        drawShip(p, QPointF(330, 210), 1.6);
        drawCaptionBox(p, "One ship is near enough to hear", "the colony's last distress call.");
        break;
    default:
        drawPlanet(p, QPointF(320, 470), 250);
        drawShip(p, QPointF(420, 130), 2.4);
        drawCaptionBox(p, "Yours.", "Bring them home.");
        break;
    }
    drawFooter(p, QString("Slide %1 of %2     Space  next").arg(slide + 1).arg(GameState::slideCount));
}

void drawTitle(QPainter& p) {
    drawPlanet(p, QPointF(500, 360), 130);
    drawTitleWord(p, 96, 84);
    p.setFont(font(22, false, "Liberation Serif"));
    p.setPen(pale);
    p.drawText(QRect(0, 196, ScenePainter::width, 30), Qt::AlignCenter, "T H E   L A S T   C O L O N Y");
    drawFooter(p, "Alt+G  Game menu     Alt+O  Options     Esc  Quit");
}

void drawPlaying(QPainter& p, const GameState& state) {
    // The planet's surface and the ship coming in low.
    QLinearGradient ground(0, 330, 0, ScenePainter::height);
    ground.setColorAt(0, QColor(150, 62, 40));
    ground.setColorAt(1, QColor(50, 16, 24));
    QPainterPath hills;
    hills.moveTo(0, ScenePainter::height);
    hills.lineTo(0, 360);
    for (int x = 0; x <= ScenePainter::width; x += 40)
        hills.lineTo(x, 350 + ((x * 37) % 50));
    hills.lineTo(ScenePainter::width, ScenePainter::height);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawPath(hills);
    drawShip(p, QPointF(300, 240), 1.4);
    for (int i = 0; i < qMin(state.shotsFired(), 6); ++i) {
        p.setBrush(QColor(120, 255, 160));
        p.drawRect(320 + i * 40, 238, 22, 3);
    }
    p.setFont(font(18, true));
    p.setPen(gold);
    p.drawText(QRect(20, 16, 300, 28), Qt::AlignLeft, "LEVEL 1  -  LANDING ZONE");
    p.setPen(pale);
    p.drawText(QRect(ScenePainter::width - 220, 16, 200, 28), Qt::AlignRight,
               QString("SHOTS %1").arg(state.shotsFired()));
}

void drawSetup(QPainter& p, const GameState& state) {
    const QRect box(110, 90, 420, 280);
    p.setPen(QPen(QColor(120, 130, 200), 1));
    p.setBrush(panel);
    p.drawRoundedRect(box, 10, 10);
    p.setFont(font(26, true));
    p.setPen(gold);
    p.drawText(box.adjusted(0, 16, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "SETUP");
    p.setFont(font(16));
    p.setPen(pale);
    const QStringList lines{"Screen        640 x 480", "Controls      keyboard",
                            QString("Music          %1").arg(state.option(0) ? "on" : "off"),
                            QString("Difficulty    %1").arg(state.option(3) ? "hard" : "normal")};
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(box.adjusted(60, 80 + i * 34, 0, 0), Qt::AlignLeft | Qt::AlignTop, lines[i]);
}

void drawList(QPainter& p, const QString& heading, const QStringList& items, int current) {
    const int rowHeight = 30;
    const QRect box(ScenePainter::width / 2 - 150, 70, 300, 64 + rowHeight * static_cast<int>(items.size()));
    p.setPen(QPen(gold, 2));
    p.setBrush(panel);
    p.drawRoundedRect(box, 10, 10);
    p.setFont(font(20, true));
    p.setPen(gold);
    p.drawText(QRect(box.left(), box.top() + 12, box.width(), 30), Qt::AlignCenter, heading);
    p.setFont(font(17));
    for (int i = 0; i < items.size(); ++i) {
        const QRect row(box.left() + 16, box.top() + 50 + i * rowHeight, box.width() - 32, rowHeight - 4);
        if (i == current) {
            p.setPen(Qt::NoPen);
            p.setBrush(accent);
            p.drawRoundedRect(row, 5, 5);
            p.setPen(Qt::white);
        } else {
            p.setPen(pale);
        }
        // "label<TAB>value": the value stands right-aligned.
        const QStringList parts = items[i].split('\t');
        p.drawText(row.adjusted(14, 0, -14, 0), Qt::AlignLeft | Qt::AlignVCenter, parts.front());
        if (parts.size() > 1)
            p.drawText(row.adjusted(14, 0, -14, 0), Qt::AlignRight | Qt::AlignVCenter, parts.back());
    }
}

}  // namespace

void ScenePainter::paint(QPainter& p, const GameState& state) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawSpace(p);
    switch (state.screen()) {
    case Screen::Slides: drawSlide(p, state.slide()); break;
    case Screen::Title: drawTitle(p); break;
    case Screen::Playing: drawPlaying(p, state); break;
    case Screen::Setup: drawSetup(p, state); break;
    }
    if (state.menuOpen()) {
        QStringList items;
        for (const char* item : GameState::menuItems) items << item;
        drawList(p, "GAME", items, state.menuIndex());
    } else if (state.optionsOpen()) {
        QStringList items;
        for (std::size_t i = 0; i < GameState::optionNames.size(); ++i)
            items << QString("%1\t%2").arg(GameState::optionNames[i],
                                           state.option(static_cast<int>(i)) ? "on" : "off");
        drawList(p, "OPTIONS", items, state.optionIndex());
    }
    if (!state.notice().empty() && state.screen() != Screen::Slides) {
        p.setFont(font(14));
        p.setPen(QColor(255, 236, 180));
        p.drawText(QRect(0, height - 54, width, 22), Qt::AlignCenter, QString::fromStdString(state.notice()));
    }
}

}  // namespace zembrot
