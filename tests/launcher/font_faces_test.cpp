// Captions are painted with the face their font asks for: bold with the bold
// file, regular with the regular one, measured as the ink a caption leaves
// against the same caption drawn straight from the font file.
#include <QDirIterator>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QStandardPaths>

#include "launcher/frm_ownbox.h"
#include "launcher/msg_box.h"
#include "launcher_fixture.h"

namespace launcher_tests {
namespace {

using launcher::start;

// The packaged font file by its name, wherever the system keeps its fonts.
QString fontFile(const QString& name) {
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, "fonts", QStandardPaths::LocateDirectory)) {
        QDirIterator files(folder, {name}, QDir::Files, QDirIterator::Subdirectories);
        if (files.hasNext()) return files.next();
    }
    return {};
}

// Pixels nearer to the text colour than to the background.
int inkIn(const QImage& image, const QRect& area, QColor text, QColor back) {
    auto distance = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    int ink = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (distance(pixel, text) < distance(pixel, back)) ++ink;
        }
    return ink;
}

// The caption drawn from the font file itself, with no font matching between.
int referenceInk(const QString& file, const QString& caption, const QFont& font, int dpi, QColor text,
                 QColor back) {
    const QRawFont raw(fontFile(file), font.pointSizeF() * dpi / 72.0);
    EXPECT_TRUE(raw.isValid()) << file.toStdString() << " is not installed";
    const QList<quint32> glyphs = raw.glyphIndexesForString(caption);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    QPointF pen(4, 4 + raw.ascent());
    for (const QPointF& advance : advances) {
        positions << pen;
        pen += advance;
    }
    QImage image(static_cast<int>(pen.x()) + 8, static_cast<int>(raw.ascent() + raw.descent()) + 8,
                 QImage::Format_RGB32);
    image.fill(back);
    QPainter painter(&image);
    painter.setPen(text);
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun({}, run);
    painter.end();
    return inkIn(image, image.rect(), text, back);
}

// Within a few per cent of the reference (hinting differs); bold and regular
// differ by a fifth and more, regular and light by a third.
void expectSameFace(int ink, int reference, const char* what) {
    EXPECT_NEAR(ink, reference, reference * 0.08) << what;
}

const QColor kWhite(255, 255, 255), kBlack(0, 0, 0);

std::string whiteOnBlack(const char* bold) {
    return std::string("TITLE,\"Zembrot\"\nTITLE2,\"Colony\"\nBACKCOLOR,0,0,0\nFNT,Comic Sans MS\n"
                       "LBL1-2,255,255,255\nFONTSIZE,20\nFTB,") + bold + "\nCMD3,Help\nCMD3BC,255,255,255\nCMD3V,True\n";
}

class FontFaceTest : public LauncherTest {
protected:
    start& loadScript(const std::string& script) {
        writeScript(script);
        start& w = load();
        EXPECT_FALSE(startupFailure) << startupFailure->report();
        shot = w.grab().toImage();
        dpi = w.logicalDpiY();
        return w;
    }
    int inkOf(QWidget* control, QColor text, QColor back) { return inkIn(shot, control->geometry(), text, back); }
    // A button's caption, inside the edges drawn around its face.
    int captionInkOf(QWidget* button, QColor text, QColor back) {
        return inkIn(shot, button->geometry().adjusted(3, 3, -3, -3), text, back);
    }
    int reference(const char* file, QWidget* control, const QString& caption, QColor text, QColor back) {
        return referenceInk(file, caption, control->font(), dpi, text, back);
    }

    QImage shot;
    int dpi = 96;
};

TEST_F(FontFaceTest, BoldCaptionsPaintWithTheBoldFace) {
    start& w = loadScript(whiteOnBlack("True"));
    const int bold = reference("ComicNeue-Bold.otf", w.Label1, "Zembrot", kWhite, kBlack);
    EXPECT_GT(bold, reference("ComicNeue-Regular.otf", w.Label1, "Zembrot", kWhite, kBlack) * 1.15);
    expectSameFace(inkOf(w.Label1, kWhite, kBlack), bold, "Label1");
    expectSameFace(inkOf(w.Label2, kWhite, kBlack),
                   reference("ComicNeue-Bold.otf", w.Label2, "Colony", kWhite, kBlack), "Label2");
    expectSameFace(captionInkOf(w.Command3, kBlack, kWhite),
                   reference("ComicNeue-Bold.otf", w.Command3, "Help", kBlack, kWhite), "Command3");
}

TEST_F(FontFaceTest, RegularCaptionsPaintWithTheRegularFace) {
    start& w = loadScript(whiteOnBlack("False"));
    expectSameFace(inkOf(w.Label1, kWhite, kBlack),
                   reference("ComicNeue-Regular.otf", w.Label1, "Zembrot", kWhite, kBlack), "Label1");
    expectSameFace(captionInkOf(w.Command3, kBlack, kWhite),
                   reference("ComicNeue-Regular.otf", w.Command3, "Help", kBlack, kWhite), "Command3");
    // The second title keeps the design-time bold.
    expectSameFace(inkOf(w.Label2, kWhite, kBlack),
                   reference("ComicNeue-Bold.otf", w.Label2, "Colony", kWhite, kBlack), "Label2");
}

// The message box comes after the start screen has asked for its fonts.
TEST_F(FontFaceTest, MessageBoxPaintsItsDesignFaces) {
    loadScript(whiteOnBlack("False"));
    MsgBox::ShowOwnbox(*windows, " Messege Box", "Missing File", 3);
    launcher::frmOwnbox* box = windows->loadedOwnbox();
    ASSERT_TRUE(box);
    const QImage boxShot = box->grab().toImage();
    const QColor title(0, 0, 192), field(0, 0, 255);
    const QRect insideBorder = box->rect().adjusted(2, 2, -2, -2);
    expectSameFace(inkIn(boxShot, box->Label1->geometry().intersected(insideBorder), kWhite, title),
                   referenceInk("ComicNeue-BoldItalic.otf", " Messege Box", box->Label1->font(), dpi, kWhite, title),
                   "frmOwnbox Label1");
    expectSameFace(inkIn(boxShot, box->txtInfo->geometry().intersected(insideBorder), kWhite, field),
                   referenceInk("LiberationSerif-Bold.ttf", "Missing File", box->txtInfo->font(), dpi, kWhite, field),
                   "txtInfo");
}

}  // namespace
}  // namespace launcher_tests
