// The launcher's own message box.
#include "launcher/artwork.h"
#include "launcher/frm_ownbox.h"
#include "launcher/msg_box.h"
#include "launcher_fixture.h"

namespace launcher_tests {
namespace {

using launcher::frmOwnbox;

bool samePicture(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

TEST_F(LauncherTest, MissingFileReportShowsTitlePromptErrorIconAndBeeps) {
    MsgBox::ShowOwnbox(*windows, " Messege Box", "Missing File", 3);
    frmOwnbox* box = windows->loadedOwnbox();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), "");
    EXPECT_EQ(box->Label1->text(), " Messege Box");
    EXPECT_EQ(box->txtInfo->text(), "Missing File");
    EXPECT_TRUE(samePicture(box->Picture1->pixmap(), box->picError->pixmap()));
    EXPECT_EQ(system.count("beep"), 1);
    EXPECT_EQ(box->frameGeometry().size(), QSize(233, 167));
    // The icon stores lie below the visible area.
    EXPECT_GE(box->picError->y(), box->height());
    EXPECT_EQ(box->Command2->text(), "Exit");
    EXPECT_EQ(box->Command2->faceColour(), QColor(192, 0, 0));
    EXPECT_EQ(box->txtInfo->geometry(), QRect(24, 40, 313, 49));
}

TEST_F(LauncherTest, IconArtworkFollowsItsDescription) {
    const QImage error = launcher::errorIcon().toImage();
    EXPECT_EQ(error.size(), QSize(32, 32));
    EXPECT_EQ(error.pixel(9, 16) & 0xFFFFFF, 0xFFFF00u);   // yellow disc
    EXPECT_EQ(error.pixel(16, 10) & 0xFFFFFF, 0x000000u);  // black mark
    EXPECT_EQ(launcher::infoIcon().toImage().pixel(8, 16) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(launcher::stopIcon().toImage().pixel(16, 3) & 0xFFFFFF, 0x800000u);
    EXPECT_EQ(launcher::questionIcon().toImage().pixel(5, 16) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(LauncherTest, UnknownIconKindKeepsWhatTheBoxShows) {
    MsgBox::ShowOwnbox(*windows, "t", "p", 0);
    frmOwnbox& box = *windows->loadedOwnbox();
    EXPECT_TRUE(box.Picture1->pixmap().isNull());
    MsgBox::ShowOwnbox(*windows, "t", "p", 2);
    MsgBox::ShowOwnbox(*windows, "t", "p", 5);
    EXPECT_TRUE(samePicture(box.Picture1->pixmap(), box.picInfo->pixmap()));
    EXPECT_EQ(system.count("beep"), 3);
}

TEST_F(LauncherTest, SecondCallReusesTheOpenBox) {
    MsgBox::ShowOwnbox(*windows, "First", "one", 1);
    frmOwnbox* first = windows->loadedOwnbox();
    MsgBox::ShowOwnbox(*windows, "Second", "two", 4);
    EXPECT_EQ(windows->loadedOwnbox(), first);
    EXPECT_EQ(first->Label1->text(), "Second");
    EXPECT_EQ(first->txtInfo->text(), "two");
    EXPECT_TRUE(samePicture(first->Picture1->pixmap(), first->picQuestion->pixmap()));
    EXPECT_EQ(system.count("beep"), 2);
}

TEST_F(LauncherTest, ExitWithNoOtherWindowEndsTheLauncher) {
    writeScript("TITLE,\"x\"\n");
    load().unload();
    EXPECT_EQ(launcherEnded, 1);
    launcherEnded = 0;
    MsgBox::ShowOwnbox(*windows, " Messege Box", "Missing File", 3);
    windows->loadedOwnbox()->Command2->click();
    EXPECT_FALSE(windows->loadedOwnbox());
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(LauncherTest, ExitWhileTheStartWindowIsLoadedKeepsTheLauncher) {
    writeScript("TITLE,\"x\"\n");
    load();
    MsgBox::ShowOwnbox(*windows, "t", "p", 3);
    windows->loadedOwnbox()->Command2->click();
    EXPECT_EQ(launcherEnded, 0);
    EXPECT_TRUE(windows->anyWindowLoaded());
}

}  // namespace
}  // namespace launcher_tests
