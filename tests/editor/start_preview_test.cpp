// The start screen preview against the launcher itself, on Qt's offscreen
// platform: the same fields give the same pixels, and a change redraws.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "demo_values.h"
#include "editor/check_box.h"
#include "editor/check_window.h"
#include "editor/frm_main.h"
#include "editor/start_preview.h"
#include "editor/window_style.h"
#include "editor_test_support.h"
#include "view/fonts.h"
#include "launcher/launcher_windows.h"
#include "launcher/start.h"
#include "recording_platform.h"
#include "script/keyword_table.h"

using namespace editor_testing;

namespace {

QImage pixels(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

void writePicture(const std::filesystem::path& path, int width, int height, const QColor& colour) {
    std::filesystem::create_directories(path.parent_path());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    // A second colour in one corner, so that placement shows.
    for (int y = 0; y < height / 3; ++y)
        for (int x = 0; x < width / 3; ++x) image.setPixelColor(x, y, QColor(255, 255, 0));
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
}

class StartPreviewTest : public ::testing::Test {
protected:
    StartPreviewTest() {
        // The editor's own application font, as Varno sets it: the preview
        // must not take its faces from it.
        QApplication::setFont(editor::controlFont());
        gameFolder = home.path() / "Games" / "Zembrot";
        std::filesystem::create_directories(gameFolder / "Data");
        const auto texts = demoTexts();
        for (int n = 1; n <= 31; ++n) window->Text(n)->setText(QString::fromStdString(texts[n]));
        for (int n : kDemoTicked) window->Check(n)->setValue(1);
        preview().setGameFolder(QString::fromStdString(gameFolder.string()));
    }
    ~StartPreviewTest() override {
        launcherWindows.reset();
        window.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::setFont(QFont());
        std::filesystem::current_path(previousFolder);
    }

    editor::StartPreview& preview() { return *window->preview(); }
    void openPreview() {
        window->mnuStartScreenPreview_Click();
        ASSERT_TRUE(preview().isVisible());
    }
    void writeDemoPictures() {
        for (const char* name : {"play.bmp", "setup.bmp", "help.bmp", "stop.bmp"})
            writePicture(gameFolder / "Data" / name, 60, 24, QColor(0, 160, 80));
        writePicture(gameFolder / "Data" / "background.bmp", 345, 608, QColor(90, 30, 120));
    }

    // The launcher started in the game folder on the script the fields compile to.
    launcher::start& launcherOnTheFields() {
        const std::string bytes = script::writeMenuScript(window->snapshot(), "2026-12-09 00:00:00");
        writeBytes(gameFolder / "Data" / "kelo.pod", bytes);
        std::filesystem::current_path(gameFolder);
        launcherWindows = std::make_unique<launcher::LauncherWindows>(launcherPlatform);
        launcher::start& start = launcherWindows->loadStart();
        // The focus frame is the player's, not the script's.
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
        return start;
    }

    void expectSamePixels() {
        openPreview();
        launcher::start& start = launcherOnTheFields();
        const QImage launcherPixels = pixels(start);
        const QImage previewPixels = pixels(*preview().screenHost());
        ASSERT_EQ(launcherPixels.size(), previewPixels.size());
        int differing = 0;
        for (int y = 0; y < launcherPixels.height(); ++y)
            for (int x = 0; x < launcherPixels.width(); ++x)
                differing += launcherPixels.pixel(x, y) != previewPixels.pixel(x, y);
        EXPECT_EQ(differing, 0) << "of " << launcherPixels.width() * launcherPixels.height();
        EXPECT_EQ(preview().status()->text().toStdString(),
                  "As Lorvane shows it, with the pictures of this game folder.");
    }

    TempHome home;
    std::filesystem::path previousFolder = std::filesystem::current_path();
    std::filesystem::path gameFolder;
    testing_support::RecordingPlatform editorPlatform, launcherPlatform;
    ScriptedMessages messages;
    std::unique_ptr<editor::frmMain> window = std::make_unique<editor::frmMain>(editorPlatform, messages);
    std::unique_ptr<launcher::LauncherWindows> launcherWindows;
};

TEST_F(StartPreviewTest, SplashLayoutWithPicturesLooksAsTheLauncherDrawsIt) {
    writeDemoPictures();
    window->Check(3)->setValue(1);  // three buttons in the row
    expectSamePixels();
}

TEST_F(StartPreviewTest, MainLayoutWithPicturesLooksAsTheLauncherDrawsIt) {
    writeDemoPictures();
    window->Check(2)->setValue(0);
    expectSamePixels();
}

TEST_F(StartPreviewTest, SplashLayoutWithoutPicturesLooksAsTheLauncherDrawsIt) {
    for (int n : {15, 18, 21, 24}) window->Text(n)->clear();
    window->Text(9)->clear();  // the system's face
    window->Check(1)->setValue(0);
    expectSamePixels();
    // The launcher never changes its application font; the editor does, and
    // the preview must still draw the face the launcher would.
    EXPECT_EQ(preview().screen()->Command4->font().family(),
              QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_NE(preview().screen()->Command4->font().family(), QApplication::font().family());
}

TEST_F(StartPreviewTest, MainLayoutWithoutPicturesLooksAsTheLauncherDrawsIt) {
    for (int n : {15, 18, 21, 24}) window->Text(n)->clear();
    window->Check(2)->setValue(0);
    window->Text(11)->setText(QStringLiteral("24"));
    window->Text(4)->setText(QStringLiteral("A second title line long enough to wrap"));
    expectSamePixels();
}

TEST_F(StartPreviewTest, AFieldOrSwitchChangeRedrawsOnTheNextTurnOfTheEventLoop) {
    openPreview();
    const view::StartScreen* screen = preview().screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->Label3->isHidden());  // splash layout
    const QImage before = pixels(*preview().screenHost());

    QLineEdit* title2 = window->Text(4);
    title2->setFocus();
    QTest::keyClicks(title2, QStringLiteral(" Again"));
    window->Check(2)->setValue(0);  // main layout
    QCoreApplication::processEvents();

    screen = preview().screen();
    EXPECT_EQ(screen->Label2->text(), QStringLiteral("The Return Again"));
    EXPECT_TRUE(screen->Label3->isHidden());
    EXPECT_FALSE(screen->Label1->isHidden());
    EXPECT_NE(pixels(*preview().screenHost()), before);
}

TEST_F(StartPreviewTest, AMissingPictureShowsAPlaceholderAndTheStatusSaysTheLauncherWouldStop) {
    writeDemoPictures();
    std::filesystem::remove(gameFolder / "Data" / "stop.bmp");
    openPreview();

    const view::StartScreen* screen = preview().screen();
    EXPECT_EQ(screen->Command6->picture().toImage(),
              editor::missingPicturePlaceholder("Data\\stop.bmp").toImage());
    EXPECT_FALSE(screen->Command4->picture().isNull());
    const std::string status = preview().status()->text().toStdString();
    EXPECT_NE(status.find("Lorvane would stop: File not found"), std::string::npos) << status;
    EXPECT_NE(status.find("stop.bmp"), std::string::npos) << status;

    // The launcher on the same folder does stop.
    launcherWindows = std::make_unique<launcher::LauncherWindows>(launcherPlatform);
    writeBytes(gameFolder / "Data" / "kelo.pod", script::writeMenuScript(window->snapshot(), {}));
    std::filesystem::current_path(gameFolder);
    EXPECT_THROW(launcherWindows->loadStart(), script::Failure);

    // Putting the picture in place and changing any field brings it back.
    writePicture(gameFolder / "Data" / "stop.bmp", 60, 24, QColor(0, 160, 80));
    window->Text(3)->setText(QStringLiteral("Zembrot!"));
    QCoreApplication::processEvents();
    EXPECT_EQ(preview().status()->text().toStdString(),
              "As Lorvane shows it, with the pictures of this game folder.");
}

TEST_F(StartPreviewTest, AValueTheLauncherCannotReadIsReportedWithItsLine) {
    window->Text(5)->setText(QStringLiteral("0,0"));  // BACKCOLOR with two values
    openPreview();
    const std::string status = preview().status()->text().toStdString();
    EXPECT_NE(status.find("Lorvane would stop: Type mismatch"), std::string::npos) << status;
    EXPECT_NE(status.find("BACKCOLOR"), std::string::npos) << status;
}

TEST_F(StartPreviewTest, TheGameFolderIsTheEditorsFolderUntilOneIsPicked) {
    editor::frmMain fresh(editorPlatform, messages);
    EXPECT_EQ(fresh.preview()->gameFolder().toStdString(), (home.path() / "Varno").string());
    EXPECT_TRUE(fresh.preview()->isHidden());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    view::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// File › Check: the fields as the launcher would take them in the preview's
// game folder; nothing is written.
TEST_F(StartPreviewTest, CheckListsWhatTheLauncherWouldMakeOfTheFieldsAndWritesNothing) {
    writeDemoPictures();
    writeBytes(gameFolder / "zembrot.exe", "#!/bin/sh\n");
    window->Text(script::textFieldOf("CMD1P"))->setText(QStringLiteral("nosuch.bmp"));
    window->mnuCheck_Click();
    ASSERT_NE(window->checkWindow(), nullptr);
    const std::string findings = window->checkWindow()->findings().toStdString();
    EXPECT_NE(findings.find("CMD1P names the picture Data\\nosuch.bmp, which does not exist"), std::string::npos)
        << findings;
    EXPECT_NE(findings.find("Start-up would stop"), std::string::npos) << findings;
    EXPECT_FALSE(std::filesystem::exists(gameFolder / "Data" / "kelo.pod"));
    EXPECT_EQ(std::filesystem::current_path(), previousFolder);
    EXPECT_FALSE(std::filesystem::exists(home.path() / "Varno" / "Data" / "kelo.pod"));

    window->Text(script::textFieldOf("CMD1P"))->clear();
    window->mnuCheck_Click();
    const std::string again = window->checkWindow()->findings().toStdString();
    EXPECT_NE(again.find("Start-up would show the start screen."), std::string::npos) << again;
    EXPECT_NE(again.find("keys: Alt+G"), std::string::npos) << again;
}
