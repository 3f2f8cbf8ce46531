// The launcher's own message box.
#include "launcher/frm_ownbox.h"
#include "launcher/msg_box.h"
#include "launcher_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

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
    // The error icon as described: a black mark on a yellow disc.
    const QImage error = box->picError->pixmap().toImage();
    EXPECT_EQ(error.pixel(9, 16) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(error.pixel(16, 10) & 0xFFFFFF, 0x000000u);
}

TEST_F(LauncherTest, LaterCallsReuseTheBoxAndUnknownIconsKeepTheLastOne) {
    MsgBox::ShowOwnbox(*windows, "t", "p", 0);
    frmOwnbox* box = windows->loadedOwnbox();
    EXPECT_TRUE(box->Picture1->pixmap().isNull());
    MsgBox::ShowOwnbox(*windows, "Second", "two", 2);
    MsgBox::ShowOwnbox(*windows, "Third", "three", 5);
    EXPECT_EQ(windows->loadedOwnbox(), box);
    EXPECT_EQ(box->Label1->text(), "Third");
    EXPECT_EQ(box->txtInfo->text(), "three");
    EXPECT_TRUE(samePicture(box->Picture1->pixmap(), box->picInfo->pixmap()));
    EXPECT_EQ(system.count("beep"), 3);
}

TEST_F(LauncherTest, ExitWithNoOtherWindowEndsTheLauncher) {
    writeScript("TITLE,\"x\"\n");
    load().menu().unload();
    EXPECT_EQ(launcherEnded, 1);
    launcherEnded = 0;
    MsgBox::ShowOwnbox(*windows, " Messege Box", "Missing File", 3);
    windows->loadedOwnbox()->Command2->click();
    EXPECT_FALSE(windows->loadedOwnbox());
    EXPECT_EQ(launcherEnded, 1);
}

// "Exit" is the default button: Return, Enter and Escape press it wherever
// the focus is in the box, Space on the button itself.
TEST_F(LauncherTest, ReturnEnterEscapeAndSpacePressExit) {
    writeScript("TITLE,\"x\"\n");
    load();
    struct Press {
        bool onField;
        Qt::Key key;
    };
    for (const Press press : {Press{false, Qt::Key_Return}, Press{true, Qt::Key_Return}, Press{true, Qt::Key_Enter},
                              Press{false, Qt::Key_Escape}, Press{true, Qt::Key_Escape}, Press{false, Qt::Key_Space}}) {
        SCOPED_TRACE(press.key);
        MsgBox::ShowOwnbox(*windows, "t", "p", 3);
        frmOwnbox* box = windows->loadedOwnbox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->focusWidget(), box->Command2);
        QWidget* target = press.onField ? static_cast<QWidget*>(box->txtInfo) : box->Command2;
        QTest::keyClick(target, press.key);
        QTRY_VERIFY(!windows->loadedOwnbox());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(launcherEnded, 0);
}

// Frameless, its outer size is the design's, centred on the start window's screen.
TEST_F(LauncherTest, TheBoxIsAFramelessToolWindowCentredOnTheScreen) {
    MsgBox::ShowOwnbox(*windows, "t", "p", 3);
    frmOwnbox* box = windows->loadedOwnbox();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(box->windowType(), Qt::Tool);
    const QRect area = box->screen()->availableGeometry();
    EXPECT_EQ(box->frameGeometry(), QRect(area.x() + (area.width() - 233) / 2,
                                          area.y() + (area.height() - 167) / 2, 233, 167));
    // Its own thin border, over the title bar's colour.
    const QImage shot = box->grab().toImage();
    EXPECT_EQ(shot.pixel(100, 0) & 0xFFFFFF, 0x404040u);
    EXPECT_EQ(shot.pixel(232, 100) & 0xFFFFFF, 0x404040u);
    EXPECT_EQ(shot.pixel(100, 5) & 0xFFFFFF, 0x0000C0u);
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
