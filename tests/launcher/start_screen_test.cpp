// The start screen the settings pass leaves, for each kind of script.
#include "launcher_fixture.h"

#include <QPixmap>
#include <QWidget>
#include <cmath>

#include "view/graphical_button.h"

namespace launcher_tests {
namespace {

using launcher::start;

std::string menuScript(const std::string& splash, const std::string& cmd2v, const std::string& cmd3v,
                       const std::string& cmd7v, const std::string& extra = {}) {
    return ";Date Compiled-2026-12-08\n;\n;Do NOT Place Comments on Same Line as Commands\n"
           "TIMEDELAY,2\nTITLE,\"Zembrot\"\nTITLE2,\"The Second Line Of The Title\"\n"
           "BACKCOLOR,0,0,128\nFNT,Comic Sans MS\nLBL1-2,255,255,0\nFONTSIZE,14\nFTB,True\n"
           "SPLTXT,\"Welcome\"\nCMD3V," + cmd3v + "\nCMD7V," + cmd7v + "\nSPLASH," + splash + "\n"
           "CMD1BC,0,255,0\nCMD2BC,255,0,0\nCMD3BC,0,255,255\nCMD5BC,255,0,255\n"
           "CMD1,Play\nCMD2,Setup\nCMD3,Help\nCMD5,Stop\nCMD1P,Data\\\nCMD2P,Data\\\nCMD3P,Data\\\nCMD5P,Data\\\n"
           "CMD2V," + cmd2v + "\nBSND,1\n" + extra;
}

bool shown(QWidget* control) { return !control->isHidden(); }

TEST_F(LauncherTest, MainLayoutShowsOnlyTheChosenColumnButtons) {
    writeScript(menuScript("0", "False", "False", "False"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Start");
    EXPECT_EQ(w.size(), QSize(328, 416));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowIcon().pixmap(32, 32).isNull());
    EXPECT_TRUE(shown(w.Command1));
    EXPECT_TRUE(shown(w.Command5));
    EXPECT_FALSE(shown(w.Command2));
    EXPECT_FALSE(shown(w.Command3));
    for (QWidget* row : {w.Command4, w.Command6, w.Command7}) EXPECT_FALSE(shown(row));
    EXPECT_TRUE(shown(w.Label1));
    EXPECT_FALSE(shown(w.Label3));
    EXPECT_EQ(w.Label1->text(), "Zembrot");
    EXPECT_EQ(w.Label1->pos(), QPoint(48, 40));
    EXPECT_EQ(w.Label2->text(), "The Second Line Of The Title");
    EXPECT_EQ(w.Label2->geometry(), QRect(40, 97, 249, 81));
    EXPECT_TRUE(w.Label2->wordWrap());
    EXPECT_EQ(w.Command1->text(), "Play");
    EXPECT_EQ(w.Command1->faceColour(), QColor(0, 255, 0));
    EXPECT_EQ(w.Command5->faceColour(), QColor(255, 0, 255));
    EXPECT_EQ(w.backgroundColour(), QColor(0, 0, 128));
    EXPECT_EQ(pixelOf(w, 5, 5), 0x000080u);
    EXPECT_EQ(pixelOf(w, 124, 244), 0x00FF00u);  // the face of Play
    EXPECT_EQ(w.Label5->text(), "Press S to skip Intro");
    EXPECT_NEAR(w.Label5->x() + w.Label5->width() / 2.0, 165.5, 0.5);
}

TEST_F(LauncherTest, MainLayoutWithEveryButtonLetsHelpOverlapTheColumn) {
    writeScript(menuScript("0", "True", "True", "True"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_TRUE(shown(w.Command2));
    EXPECT_TRUE(shown(w.Command3));
    EXPECT_TRUE(shown(w.Command7));
    EXPECT_FALSE(shown(w.Command4));
    EXPECT_FALSE(shown(w.Command6));
    EXPECT_EQ(w.Command7->geometry(), QRect(120, 360, 89, 35));
    EXPECT_TRUE(w.Command7->geometry().intersects(w.Command2->geometry()));
    EXPECT_EQ(w.Command7->text(), "Help");
    EXPECT_EQ(w.Command2->text(), "Setup");
}

TEST_F(LauncherTest, SplashLayoutWithoutHelpHasTwoWideButtons) {
    writeScript(menuScript("1", "True", "True", "False"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    for (QWidget* column : {w.Command1, w.Command2, w.Command3, w.Command5}) EXPECT_FALSE(shown(column));
    EXPECT_FALSE(shown(w.Label1));
    EXPECT_TRUE(shown(w.Label3));
    EXPECT_EQ(w.Label3->text(), "Welcome");
    EXPECT_FALSE(shown(w.Command7));
    EXPECT_EQ(w.Command4->geometry(), QRect(8, 360, 150, 35));   // 8 to 158
    EXPECT_EQ(w.Command6->geometry(), QRect(172, 360, 150, 35)); // 172 to 322
    EXPECT_EQ(w.Command4->text(), "Play");
    EXPECT_EQ(w.Command6->text(), "Stop");
    EXPECT_EQ(w.Command4->faceColour(), QColor(0, 255, 0));
    EXPECT_EQ(w.Command4->toolTip(), "Get Ready");
}

TEST_F(LauncherTest, SplashLayoutWithHelpHasThreeNarrowButtons) {
    writeScript(menuScript("1", "False", "False", "True"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_TRUE(shown(w.Command7));
    EXPECT_EQ(w.Command4->geometry(), QRect(8, 360, 89, 35));
    EXPECT_EQ(w.Command7->geometry(), QRect(120, 360, 89, 35));
    EXPECT_EQ(w.Command6->geometry(), QRect(230, 360, 89, 35));
    EXPECT_EQ(w.Command7->faceColour(), QColor(0, 255, 255));
}

TEST_F(LauncherTest, SplashTextAndHintKeepTheirMiddles) {
    writeScript(menuScript("1", "False", "False", "False"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    auto middle = [](QWidget* label) { return label->x() + label->width() / 2.0; };
    EXPECT_NEAR(middle(w.Label3), 155.5, 0.5);
    EXPECT_EQ(w.Label3->y(), 40);
    EXPECT_GT(w.Label3->width(), 11);  // sized to "Welcome"
    EXPECT_EQ(w.Label5->text(), "Press S to skip Intro");
    EXPECT_EQ(w.Label5->font().pointSizeF(), 8.0);
    EXPECT_NEAR(middle(w.Label5), 165.5, 0.5);
    EXPECT_EQ(w.Label5->y(), 209);
    EXPECT_EQ(w.Label5->palette().color(QPalette::WindowText), QColor(255, 255, 0));
}

TEST_F(LauncherTest, ButtonPictureReplacesCaptionAndColourInBothLayouts) {
    writePicture("Data/play.bmp", 40, 20, QColor(255, 128, 0));
    writeScript(menuScript("1", "False", "False", "False", "CMD1P,Data\\play.bmp\n"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    for (view::GraphicalButton* button : {w.Command1, w.Command4}) {
        EXPECT_FALSE(button->picture().isNull());
        EXPECT_EQ(button->picture().size(), QSize(40, 20));
        EXPECT_EQ(button->text(), "");
        EXPECT_EQ(button->faceColour(), QColor(0, 0, 0));
        EXPECT_FALSE(button->font().bold());
    }
    // The picture sits in the middle of the face, on black.
    EXPECT_EQ(pixelOf(*w.Command4, 75, 17), 0xFF8000u);
    EXPECT_EQ(pixelOf(*w.Command4, 10, 17), 0x000000u);
    EXPECT_TRUE(w.Command6->picture().isNull());
    EXPECT_EQ(w.Command6->text(), "Stop");
}

TEST_F(LauncherTest, DataFolderAloneNamesNoPicture) {
    writeScript(menuScript("0", "False", "False", "False"));
    start& w = load();
    EXPECT_TRUE(w.Command1->picture().isNull());
    EXPECT_EQ(w.Command1->text(), "Play");
    EXPECT_EQ(w.Command1->faceColour(), QColor(0, 255, 0));
}

TEST_F(LauncherTest, BackgroundPictureWinsOverBackColor) {
    writePicture("Data/background.bmp", 328, 416, QColor(10, 200, 30));
    writeScript(menuScript("0", "False", "False", "False"));
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_EQ(w.Image1->pixmap().size(), QSize(328, 416));
    EXPECT_EQ(w.Image1->geometry(), QRect(-8, 0, 328, 416));
    EXPECT_EQ(w.backgroundColour(), QColor(0, 0, 255));  // BACKCOLOR never applied
    EXPECT_EQ(pixelOf(w, 20, 200), 0x0AC81Eu);
    // The picture stands 8 pixels to the left: the design colour shows at the right edge.
    EXPECT_EQ(pixelOf(w, 325, 200), 0x0000FFu);
}

TEST_F(LauncherTest, NoBackgroundAndNoBackColorIsBlack) {
    writeScript("TITLE,\"x\"\n");
    start& w = load();
    EXPECT_EQ(w.backgroundColour(), QColor(0, 0, 0));
}

TEST_F(LauncherTest, FontSizeReachesLabelsButNotButtons) {
    writeScript(menuScript("0", "False", "False", "False", "FONTSIZE,24\n"));
    start& w = load();
    for (QWidget* label : {w.Label1, w.Label2, w.Label3}) EXPECT_EQ(label->font().pointSizeF(), 24.0);
    for (QWidget* button : {w.Command1, w.Command2, w.Command5}) EXPECT_EQ(button->font().pointSizeF(), 18.0);
    EXPECT_EQ(w.Label1->font().family(), "Comic Sans MS");
}

TEST_F(LauncherTest, BoldOffLeavesTheSecondTitleBold) {
    writeScript(menuScript("0", "True", "True", "False", "FTB,False\n"));
    start& w = load();
    EXPECT_FALSE(w.Label1->font().bold());
    EXPECT_FALSE(w.Label3->font().bold());
    for (QWidget* button : {w.Command1, w.Command2, w.Command3, w.Command5}) EXPECT_FALSE(button->font().bold());
    EXPECT_TRUE(w.Label2->font().bold());
}

// A coloured button on a window at a fractional scale: outside its black right
// and bottom edges there is window, never a strip of face colour. Places and
// sizes odd and even round differently, so a few of each are tried.
TEST(GraphicalButtonAtScale, TheBlackEdgesAreTheOutermostPixels) {
    const QColor window(0, 0, 128), face(255, 128, 0);
    QWidget host;
    host.resize(160, 90);
    host.setAutoFillBackground(true);
    QPalette colours = host.palette();
    colours.setColor(QPalette::Window, window);
    host.setPalette(colours);
    auto* button = new view::GraphicalButton(&host);
    button->setFaceColour(face);
    for (const qreal scale : {1.0, 1.25, 1.5, 2.0})
        for (const QRect place : {QRect(37, 21, 85, 33), QRect(38, 22, 86, 34), QRect(39, 20, 84, 31)}) {
            button->setGeometry(place);
            QPixmap shot(host.size() * scale);
            shot.setDevicePixelRatio(scale);
            host.render(&shot);
            const QImage image = shot.toImage();
            if (scale == 1.5) image.save(QString::fromStdString(testing::TempDir()) + "button-at-1.5.png");
            // The outermost pixel that is not window, along a row from the
            // right or a column from the bottom.
            auto outermost = [&](int fixed, bool row) {
                const int length = row ? image.width() : image.height();
                for (int i = length - 1; i >= 0; --i) {
                    const QColor pixel = row ? image.pixelColor(i, fixed) : image.pixelColor(fixed, i);
                    if (pixel != window) return pixel;
                }
                return window;
            };
            const QRect inner = place.adjusted(3, 3, -3, -3);
            for (int y = std::ceil(inner.top() * scale); y < inner.bottom() * scale; ++y)
                ASSERT_EQ(outermost(y, true).name(), "#000000") << "scale " << scale << ", row " << y;
            for (int x = std::ceil(inner.left() * scale); x < inner.right() * scale; ++x)
                ASSERT_EQ(outermost(x, false).name(), "#000000") << "scale " << scale << ", column " << x;
        }
}

}  // namespace
}  // namespace launcher_tests
