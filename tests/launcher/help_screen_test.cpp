// The help screen: one picture from the script's INFOP, read afresh on each load.
#include "launcher/dialog.h"
#include "launcher_fixture.h"

#include <QApplication>
#include <QTest>

namespace launcher_tests {
namespace {

using launcher::Dialog;

class HelpScreenTest : public LauncherTest {
protected:
    // Loads the start window, then rewrites the script the help screen reads.
    Dialog* openHelp(const std::string& helpScript) {
        writeScript("CMD3V,True\n");
        load();
        writeScript(helpScript);
        window().Command3->click();
        return windows->loadedDialog();
    }
};

TEST_F(HelpScreenTest, WithoutInfopThePictureAreaStaysEmpty) {
    Dialog* help = openHelp("TITLE,\"x\"\n");
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Dialog Caption");
    EXPECT_EQ(help->size(), QSize(326, 411));
    EXPECT_EQ(help->OKButton->geometry(), QRect(120, 368, 81, 33));
    EXPECT_EQ(help->OKButton->text(), "OK");
    EXPECT_TRUE(help->Image2->pixmap().isNull());
    EXPECT_EQ(pixelOf(*help, 3, 3), 0x0000FFu);
}

TEST_F(HelpScreenTest, InfopNamingNothingIsNoFailure) {
    Dialog* help = openHelp("INFOP,Data\\gone.bmp\n");
    ASSERT_TRUE(help);
    EXPECT_FALSE(uncaughtFailure);
    EXPECT_TRUE(help->Image2->pixmap().isNull());
}

TEST_F(HelpScreenTest, LastInfopWinsInAnyLetterCase) {
    writePicture("Data/one.bmp", 20, 20, Qt::red);
    writePicture("Data/two.bmp", 30, 40, Qt::green);
    Dialog* help = openHelp("INFOP,Data\\one.bmp\n;\ninfop,Data\\two.bmp\nTITLE,\"x\"\n");
    ASSERT_TRUE(help);
    EXPECT_EQ(help->Image2->pixmap().size(), QSize(30, 40));
}

TEST_F(HelpScreenTest, LargePictureIsCutAtTheEdgesWithOkOnTop) {
    writePicture("Data/help.bmp", 500, 700, Qt::yellow);
    Dialog* help = openHelp("INFOP,Data\\help.bmp\n");
    ASSERT_TRUE(help);
    EXPECT_EQ(help->Image2->geometry(), QRect(8, 8, 500, 700));
    EXPECT_EQ(help->childAt(help->OKButton->geometry().center()), help->OKButton);
    EXPECT_EQ(pixelOf(*help, 300, 300), 0xFFFF00u);
}

TEST_F(HelpScreenTest, HelpTwiceLoadsOnceAndOkUnloads) {
    writePicture("Data/help.bmp", 10, 10, Qt::red);
    Dialog* help = openHelp("INFOP,Data\\help.bmp\nTITLE,\"x\"\n");
    const int reads = system.count("exists Data\\help.bmp");
    EXPECT_EQ(reads, 3);  // after INFOP, after TITLE and after its value
    window().Command3->click();
    EXPECT_EQ(windows->loadedDialog(), help);
    EXPECT_EQ(system.count("exists Data\\help.bmp"), reads);

    help->OKButton->click();
    EXPECT_FALSE(windows->loadedDialog());
    EXPECT_EQ(launcherEnded, 0);  // the start window is still there
    writeScript("TITLE,\"x\"\n");
    window().Command3->click();
    ASSERT_TRUE(windows->loadedDialog());
    EXPECT_TRUE(windows->loadedDialog()->Image2->pixmap().isNull());  // read again
}

// Escape closes it as OK does, and the start window has the keys again.
TEST_F(HelpScreenTest, EscapeClosesItAndTheStartWindowGetsTheFocusBack) {
    Dialog* help = openHelp("TITLE,\"x\"\n");
    ASSERT_TRUE(help);
    QTest::keyClick(help->OKButton, Qt::Key_Escape);
    QTRY_VERIFY(!windows->loadedDialog());
    EXPECT_EQ(launcherEnded, 0);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&window()));
}

TEST_F(HelpScreenTest, OkWithTheStartWindowGoneEndsTheLauncher) {
    Dialog* help = openHelp("TITLE,\"x\"\n");
    window().Command5->click();
    EXPECT_EQ(launcherEnded, 0);
    help->OKButton->click();
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(HelpScreenTest, ScriptFailuresEndTheLauncher) {
    openHelp("TITLE,\"x\"\nINFOP\n");
    ASSERT_TRUE(uncaughtFailure);
    EXPECT_EQ(uncaughtFailure->kind(), script::FailureKind::InputPastEndOfFile);
    EXPECT_FALSE(windows->loadedDialog());

    uncaughtFailure.reset();
    std::filesystem::create_directories(folder / "Data/folder.bmp");
    writeScript("INFOP,Data\\folder.bmp\n");
    window().Command3->click();
    ASSERT_TRUE(uncaughtFailure);
    EXPECT_EQ(uncaughtFailure->kind(), script::FailureKind::InvalidPicture);
    EXPECT_EQ(uncaughtFailure->keyword(), "INFOP");

    uncaughtFailure.reset();
    std::filesystem::remove(folder / "Data/kelo.pod");
    window().Command3->click();
    ASSERT_TRUE(uncaughtFailure);
    EXPECT_EQ(uncaughtFailure->kind(), script::FailureKind::FileNotFound);
}

}  // namespace
}  // namespace launcher_tests
