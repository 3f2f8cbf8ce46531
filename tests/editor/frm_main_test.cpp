// The editor window on Qt's offscreen platform: compile, load, field checks,
// hints, Exit, the menu and the colour picker.

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <csignal>
#include <cstring>
#include <set>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QLockFile>

#include "demo_values.h"
#include "editor/check_box.h"
#include "editor/form1.h"
#include "editor/frame_box.h"
#include "editor/frm_main.h"
#include "editor/save_lock.h"
#include "editor_test_support.h"
#include "recording_platform.h"
#include "script/keyword_table.h"

using namespace editor_testing;
using editor::frmMain;

namespace {

class EditorWindow : public ::testing::Test {
protected:
    TempHome home;
    testing_support::RecordingPlatform platform;
    ScriptedMessages messages;
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>(platform, messages);

    void fillDemo() {
        const auto texts = demoTexts();
        for (int n = 1; n <= 31; ++n) window->Text(n)->setText(QString::fromStdString(texts[n]));
        for (int n : kDemoTicked) QTest::mouseClick(window->Check(n), Qt::LeftButton);
    }
    std::vector<std::string> fieldsAndBoxes() const {
        std::vector<std::string> state;
        for (int n = 1; n <= 31; ++n) state.push_back(window->Text(n)->text().toStdString());
        for (int n = 1; n <= 8; ++n) state.push_back(std::to_string(window->Check(n)->value()));
        return state;
    }
    void load(const std::string& bytes) {
        writeBytes(home.bak(), bytes);
        window->Command3_Click();
    }
    QLineEdit* typeInto(int n, const QString& keys) {
        QLineEdit* field = window->Text(n);
        field->setFocus();
        QTest::keyClicks(field, keys);
        return field;
    }
};

// A small tmpfs mounted over a folder for the life of the object, so that a
// test meets a disk that really fills. Mounting needs root.
class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& where, const char* options) : where_(where) {
        std::filesystem::create_directories(where);
        if (::mount("tmpfs", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options) == 0) mounted_ = true;
        else error_ = std::strerror(errno);
    }
    ~SmallDisk() {
        // A file still open would keep it busy; detached, it goes once closed.
        if (mounted_ && ::umount(where_.c_str()) != 0) ::umount2(where_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    std::uint64_t pageSize() const { return stats().f_bsize; }
    // tmpfs hands out whole pages, however small the file.
    std::uint64_t freePages() const { return stats().f_bavail; }
    // Every name below the mount point, relative to it.
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(where_))
            found.insert(entry.path().lexically_relative(where_).string());
        return found;
    }

private:
    struct statvfs stats() const {
        struct statvfs result {};
        ::statvfs(where_.c_str(), &result);
        return result;
    }
    std::filesystem::path where_;
    bool mounted_ = false;
    std::string error_;
};

}  // namespace

TEST_F(EditorWindow, AnEmptyWindowCompilesToEmptyValues) {
    // The two placeholders change nothing that is written.
    for (editor::CheckBox* placeholder : {window->Check5, window->Check8})
        QTest::mouseClick(placeholder, Qt::LeftButton);
    window->Command2_Click();
    std::vector<std::string> pod, bak;
    for (const auto& [keyword, form] : std::vector<std::pair<std::string, char>>{
             {"TIMEDELAY", 'p'}, {"TIMEDELAY3", 'p'}, {"TITLE", 'q'}, {"TITLE2", 'q'}, {"BACKCOLOR", 'c'},
             {"FNT", 'p'}, {"LBL1-2", 'c'}, {"FONTSIZE", 'p'}, {"FTB", 't'}, {"INFOP", 'd'}, {"SPLTXT", 'q'},
             {"SPTIM", 'p'}, {"SLIDE", 'p'}, {"CMD3V", 't'}, {"CMD7V", 't'}, {"SPLASH", 's'},
             {"CMD1BC", 'c'}, {"CMD2BC", 'c'}, {"CMD3BC", 'c'}, {"CMD5BC", 'c'}, {"CMD1", 'c'},
             {"CMD2", 'c'}, {"CMD3", 'c'}, {"CMD5", 'c'}, {"CMD1P", 'D'}, {"CMD2P", 'D'}, {"CMD3P", 'D'},
             {"CMD5P", 'D'}, {"CMD2V", 't'}, {"BGWAV", 'd'}, {"BGMID", 'd'}, {"BSND", 'b'}, {"BSNDH", 'd'},
             {"PLAWV", 'd'}, {"SETUWV", 'd'}, {"HELWV", 'd'}, {"STOWV", 'd'}}) {
        // p plain, q quoted, c plain/quoted, t truth/switch, d data path/plain, D data path/quoted
        const std::string podValue = form == 'q' ? "\"\"" : form == 't' ? "False"
                                   : form == 's' || form == 'b' ? "0" : form == 'd' || form == 'D' ? "Data\\" : "";
        const std::string bakValue = form == 'q' || form == 'c' || form == 'D' ? "\"\""
                                   : form == 't' || form == 's' ? "0" : "";
        pod.push_back(keyword + "," + podValue);
        bak.push_back(keyword + "," + bakValue);
    }
    EXPECT_EQ(withoutDateLine(readBytes(home.pod())), fileAfterDateLine(pod));
    EXPECT_EQ(withoutDateLine(readBytes(home.bak())), fileAfterDateLine(bak));
    EXPECT_EQ(messages.shown, std::vector<std::string>{" Compile|  Compile Complete"});
}

TEST_F(EditorWindow, AFilledWindowCompilesEveryFieldAndSwitch) {
    fillDemo();
    window->Command2_Click();
    EXPECT_EQ(withoutDateLine(readBytes(home.pod())), fileAfterDateLine(demoMenuScriptRecords()));
    EXPECT_EQ(withoutDateLine(readBytes(home.bak())), fileAfterDateLine(demoStateFileRecords()));
}

TEST_F(EditorWindow, CompileThenLoadRestoresEveryFieldAndBox) {
    fillDemo();
    window->Text(12)->setText("04");
    window->Text(4)->setText(QString::fromUtf8("Caf\u00e9 \u20ac5"));  // Windows-1252 on disk
    window->Command2_Click();
    EXPECT_NE(readBytes(home.bak()).find("TITLE2,\"Caf\xE9 \x80" "5\""), std::string::npos);
    auto expected = fieldsAndBoxes();
    expected[1] = "5", expected[11] = "4";  // unquoted numbers come back in plain form
    window = std::make_unique<frmMain>(platform, messages);
    window->Command3_Click();
    EXPECT_EQ(fieldsAndBoxes(), expected);
    EXPECT_TRUE(window->switches().blnFontBold && window->switches().blnCmd3Visible);
    EXPECT_EQ(window->switches().intSplash, 1);
    EXPECT_EQ(window->switches().varButtonSound, script::Untyped::number(1));
}

TEST_F(EditorWindow, ATitleAloneEmptiesTheOtherFieldsAndClearsOnlyTheSplashBox) {
    fillDemo();
    load(";head\r\n;\r\ntitle,Hello\r\n;\r\n");
    auto state = fieldsAndBoxes();
    EXPECT_EQ(state[2], "Hello");
    for (int n = 1; n <= 31; ++n)
        if (n != 3) {
            EXPECT_EQ(state[n - 1], "") << "Text" << n;
        }
    EXPECT_EQ(window->Check2->value(), editor::Unchecked);
    for (int n : {1, 4, 6, 7}) EXPECT_EQ(window->Check(n)->value(), editor::Checked) << "Check" << n;
    EXPECT_EQ(window->switches().intSplash, 0);
}

TEST_F(EditorWindow, LoadedSwitchesRunTheClickHandlers) {
    load("FTB,1\r\n");
    EXPECT_EQ(window->Check1->value(), editor::Checked);
    EXPECT_TRUE(window->switches().blnFontBold);
    EXPECT_TRUE(window->switches().varButtonSound.isEmpty());  // Check6 did not change
    load("FTB,2\r\nCMD3V,2\r\nCMD7V,2\r\nCMD2V,2\r\nSPLASH,2\r\nBSND,2\r\n");
    // A grayed box's handler clears the integer it was loaded from, so the next
    // pass clears the box again; SPLASH has its own holder, BSND is read last.
    for (int n : {2, 6}) EXPECT_EQ(window->Check(n)->value(), editor::Grayed) << n;
    for (int n : {1, 3, 4, 7}) EXPECT_EQ(window->Check(n)->value(), editor::Unchecked) << n;
    const auto& s = window->switches();
    EXPECT_FALSE(s.blnFontBold || s.blnCmd3Visible || s.blnCmd7Visible || s.blnCmd2Visible);
    EXPECT_EQ(s.intSplash, 1);
    EXPECT_EQ(s.intButtonSound, 1);
}

TEST_F(EditorWindow, LoadMakesANonNumericValueEmptyInANumericField) {
    load("TIMEDELAY,abc\r\nFONTSIZE,\"12\"\r\nTITLE2,abc\r\n");
    EXPECT_EQ(window->Text2->text(), "");
    EXPECT_EQ(window->Text11->text(), "12");
    EXPECT_EQ(window->Text4->text(), "abc");
}

// Also run under a memory limit (see CMakeLists.txt): each large file used to
// cost a copy of every field per field read.
TEST_F(EditorWindow, LargeStateFilesLoadTheirFieldsAndBoxes) {
    const std::string title(100 * 1024, 'T');
    std::string blankLines;
    for (int i = 0; i < 10000; ++i) blankLines += "\r\n";
    load("FTB,2\r\nTIMEDELAY,abc\r\nBSND,2\r\nTITLE,\"" + title + "\"\r\n" + blankLines);
    EXPECT_EQ(window->Text3->text().toStdString(), title);
    EXPECT_EQ(window->Text2->text(), "");
    EXPECT_EQ(window->Check1->value(), editor::Unchecked);  // its handler cleared intFontBold
    EXPECT_EQ(window->Check6->value(), editor::Checked);    // its handler made varButtonSound 1
    EXPECT_EQ(window->switches().intButtonSound, 1);

    load("SPLASH,2\r\nCMD2,\"Setup\"\r\n" + std::string(1024 * 1024, ','));
    EXPECT_EQ(window->Text17->text(), "Setup");
    EXPECT_EQ(window->Text3->text(), "");
    EXPECT_EQ(window->Check2->value(), editor::Grayed);
    EXPECT_EQ(window->Check6->value(), editor::Checked);  // a window-level holder: kept
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditorWindow, AFailedLoadReportsThePathAndLeavesTheWindowAsItWas) {
    fillDemo();
    const auto before = fieldsAndBoxes();
    const auto switches = window->switches();
    window->Command3_Click();  // no state file yet
    load("");
    load("TITLE,New\r\nCMD1");
    load("TITLE,New\r\nFTB,9\r\n");
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[0], "failure|File not found: ~/Varno/kelo.bak \u2014 press Compile/Save once to create it");
    EXPECT_EQ(messages.shown[1], "failure|Input past end of file in ~/Varno/kelo.bak, line 1");
    EXPECT_EQ(messages.shown[2], "failure|Input past end of file in ~/Varno/kelo.bak, line 2: CMD1 needs a value");
    EXPECT_EQ(fieldsAndBoxes(), before);
    EXPECT_TRUE(window->switches().varButtonSound == switches.varButtonSound &&
                window->switches().intFontBold == switches.intFontBold);
}

TEST_F(EditorWindow, LoadDataWaitsForAnotherEditorsSaveAndNamesItWhenItLasts) {
    fillDemo();
    window->Command2_Click();
    messages.shown.clear();
    const auto before = fieldsAndBoxes();
    LockHolder holder(editor::pairLockFile());
    load("TITLE,Other\r\n");
    const pid_t holderPid = holder.pid();
    holder.end();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("failure|File in use: ~/Varno/kelo.bak is being saved or read by ", 0), 0u)
        << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("(process " + std::to_string(holderPid) + ")"), std::string::npos);
    EXPECT_EQ(fieldsAndBoxes(), before);
    load("TITLE,Other\r\n");  // the holder is gone
    EXPECT_EQ(window->Text(3)->text(), QStringLiteral("Other"));
}

// Run as an ordinary user by a test of its own (see CMakeLists.txt).
TEST_F(EditorWindow, ReadOnlyFilesAreReportedAndNothingIsWritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files; run as an ordinary user";
    namespace fs = std::filesystem;
    writeBytes(home.pod(), "old script");
    writeBytes(home.bak(), "old state");
    fillDemo();
    for (const fs::path& readOnly : {home.pod(), home.bak()}) {
        SCOPED_TRACE(readOnly.string());
        messages.shown.clear();
        fs::permissions(home.pod(), fs::perms(0644));
        fs::permissions(home.bak(), fs::perms(0644));
        fs::permissions(readOnly, fs::perms(0444));
        window->Command2_Click();
        ASSERT_EQ(messages.shown.size(), 1u);  // no "Compile Complete" either
        EXPECT_NE(messages.shown[0].find("Permission denied"), std::string::npos) << messages.shown[0];
        EXPECT_NE(messages.shown[0].find(readOnly.filename().string()), std::string::npos) << messages.shown[0];
        EXPECT_EQ(readBytes(home.pod()), "old script");
        EXPECT_EQ(readBytes(home.bak()), "old state");
        EXPECT_EQ(fs::status(readOnly).permissions(), fs::perms(0444));
    }
}

// A packager links the editor's script to the game folder's.
TEST_F(EditorWindow, CompileWritesThroughALinkedScriptAndTheLinkStays) {
    namespace fs = std::filesystem;
    const fs::path gameScript = home.path() / "Games" / "Zembrot" / "Data" / "kelo.pod";
    writeBytes(gameScript, "old script");
    fs::permissions(gameScript, fs::perms(0664));
    fs::create_directories(home.pod().parent_path());
    fs::create_symlink(gameScript, home.pod());
    fillDemo();
    window->Command2_Click();
    EXPECT_TRUE(fs::is_symlink(home.pod()));
    EXPECT_EQ(fs::read_symlink(home.pod()), gameScript);
    EXPECT_NE(readBytes(gameScript).find("TITLE,\""), std::string::npos);
    EXPECT_EQ(fs::status(gameScript).permissions(), fs::perms(0664));
}

TEST_F(EditorWindow, AFailedCompileKeepsTheFieldsAndTheOldFiles) {
    writeBytes(home.pod(), "old script");
    fillDemo();
    const auto before = fieldsAndBoxes();
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{}, full{};
        getrlimit(RLIMIT_FSIZE, &old);
        full = old;
        full.rlim_cur = 16;  // as good as a full disk
        setrlimit(RLIMIT_FSIZE, &full);
        window->Command2_Click();
        setrlimit(RLIMIT_FSIZE, &old);
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find(": ~/Varno/Data/kelo.pod"), std::string::npos) << messages.shown[0];
    EXPECT_EQ(readBytes(home.pod()), "old script");
    EXPECT_FALSE(std::filesystem::exists(home.bak()));
    EXPECT_EQ(fieldsAndBoxes(), before);
}

// A real disk that fills while the second file of the pair is written: both
// old files stay, nothing is left behind, and no success is claimed.
TEST_F(EditorWindow, ADiskThatFillsBetweenTheTwoFilesKeepsBothOldOnes) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const SmallDisk disk(home.path() / "Varno", "size=64k");
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs over the editor's folder: " << disk.error();
    writeBytes(home.pod(), "old script");
    writeBytes(home.bak(), "old state");
    fillDemo();

    // Room for the save's lock file and the menu script, written first,
    // and not a byte more: the state file is the one that finds no room.
    const std::uint64_t page = disk.pageSize();
    const std::uint64_t scriptPages =
        (fileAfterDateLine(demoMenuScriptRecords()).size() + 128 + page - 1) / page;  // date line at most 128
    const std::uint64_t room = 1 + scriptPages;
    ASSERT_GT(disk.freePages(), room);
    const std::filesystem::path filler = home.path() / "Varno" / "filler";
    writeBytes(filler, std::string((disk.freePages() - room) * page, 'x'));
    ASSERT_EQ(disk.freePages(), room);

    window->Command2_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].starts_with("failure|Disk full")) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("~/Varno/kelo.bak"), std::string::npos) << messages.shown[0];
    EXPECT_EQ(readBytes(home.pod()), "old script");
    EXPECT_EQ(readBytes(home.bak()), "old state");
    EXPECT_EQ(disk.names(), (std::set<std::string>{"Data", "Data/kelo.pod", "kelo.bak", "filler"}));

    std::filesystem::remove(filler);
    messages.shown.clear();
    window->Command2_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{" Compile|  Compile Complete"});
    EXPECT_EQ(withoutDateLine(readBytes(home.pod())), fileAfterDateLine(demoMenuScriptRecords()));
    EXPECT_EQ(withoutDateLine(readBytes(home.bak())), fileAfterDateLine(demoStateFileRecords()));
    EXPECT_EQ(disk.names(), (std::set<std::string>{"Data", "Data/kelo.pod", "kelo.bak"}));
}

TEST_F(EditorWindow, NumericFieldsEmptyTheMomentTheyStopBeingNumbers) {
    EXPECT_EQ(typeInto(2, "1")->text(), "1");
    EXPECT_EQ(typeInto(2, "a")->text(), "");
    EXPECT_EQ(typeInto(1, ".")->text(), "");
    EXPECT_EQ(typeInto(8, "-")->text(), "");
    EXPECT_EQ(typeInto(11, "0.01")->text(), "0.01");
    QTest::keyClick(typeInto(12, "7"), Qt::Key_Backspace);
    EXPECT_EQ(window->Text12->text(), "");
    QTest::keyClick(typeInto(12, "5"), Qt::Key_Home);
    QTest::keyClicks(window->Text12, " ");
    QTest::keyClick(window->Text12, Qt::Key_End);
    QTest::keyClicks(window->Text12, " ");
    EXPECT_EQ(window->Text12->text(), " 5 ");
    window->Text8->insert("3 sec");  // a paste
    EXPECT_EQ(window->Text8->text(), "");
    EXPECT_EQ(typeInto(3, "a1.")->text(), "a1.");  // other fields take anything
}

// Those fields and only those whose keyword the launcher reads as a number
// refuse what is not one.
TEST_F(EditorWindow, FieldsTheLauncherReadsAsNumbersTakeOnlyNumbers) {
    for (const script::KeywordInfo& row : script::keywordTable()) {
        if (row.field.kind != script::EditorControl::Kind::Text) continue;
        const script::Storage storage = row.launcher.storage();
        const bool number = storage == script::Storage::Int16 || storage == script::Storage::Single;
        window->Text(row.field.number)->clear();
        EXPECT_EQ(typeInto(row.field.number, "x")->text(), number ? "" : "x") << row.name;
    }
}

TEST_F(EditorWindow, HintsAppearOnTheFirstPointerMovement) {
    EXPECT_TRUE(window->Label4->toolTip().isEmpty());
    for (QLabel* label : {window->Label2, window->Label3, window->Label4}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), label->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
    }
    EXPECT_EQ(window->Label2->toolTip(), " No AVI Place 0 ");
    EXPECT_EQ(window->Label3->toolTip(), "Must be at least 1 or hand edit to .01 for quick start");
    EXPECT_EQ(window->Label4->toolTip(), " Not the Name of the AVI File ");
    EXPECT_TRUE(window->Text3->toolTip().isEmpty());
}

TEST_F(EditorWindow, ExitAnsweredNoChangesNothingAndYesClosesBothWindows) {
    window->show();
    fillDemo();
    window->Command4_Click();
    const auto before = fieldsAndBoxes();
    messages.answerYes = false;
    window->Command1_Click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{" Exit|  Are you sure you want to Exit"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->picker() && window->picker()->isVisible());
    EXPECT_EQ(fieldsAndBoxes(), before);
    messages.answerYes = true;
    window->Command1_Click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->picker(), nullptr);
}

TEST_F(EditorWindow, TheMenuOpensTheScriptAndAutoSaveDoesNothing) {
    window->mnuOpen->trigger();
    EXPECT_EQ(platform.calls, std::vector<std::string>{"edit \\Varno\\Data\\kelo.pod"});
    window->mnusave->trigger();
    EXPECT_TRUE(window->mnusave->isChecked());
    EXPECT_FALSE(std::filesystem::exists(home.pod()));
    EXPECT_EQ(window->Check5->value(), editor::Grayed);
    EXPECT_EQ(window->Check8->value(), editor::Grayed);
}

TEST_F(EditorWindow, NoTextEditorIsReportedAndTheFieldsStay) {
    window->show();
    window->Text11->setText("7");
    platform.noTextEditor = true;
    window->mnuOpen->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("failure|", 0), 0u) << messages.shown[0];
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Text11->text(), "7");
}

TEST_F(EditorWindow, ThePickerOpensOnceAndIsBroughtForward) {
    window->Command4_Click();
    editor::Form1* first = window->picker();
    first->scrColor[0]->setValue(9);
    window->Command4_Click();
    EXPECT_EQ(window->picker(), first);
    EXPECT_EQ(first->scrColor[0]->value(), 9);
    int pickers = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<editor::Form1*>(top)) ++pickers;
    EXPECT_EQ(pickers, 1);
}

TEST_F(EditorWindow, APickerClosedOrMinimisedComesBackOnThePress) {
    window->Command4_Click();
    window->picker()->scrColor[0]->setValue(9);
    window->picker()->close();  // its deletion is still pending
    window->Command4_Click();
    editor::Form1* fresh = window->picker();
    ASSERT_TRUE(fresh && fresh->isVisible());
    EXPECT_EQ(fresh->scrColor[0]->value(), 0);
    EXPECT_TRUE(fresh->Text2->text().isEmpty());
    fresh->showMinimized();
    window->Command4_Click();
    EXPECT_EQ(window->picker(), fresh);
    EXPECT_FALSE(fresh->windowState() & Qt::WindowMinimized);
}

// Every caption of the window is shown whole: no label or box is too narrow
// or too low for its text in the window's fonts.
TEST_F(EditorWindow, NoCaptionIsClipped) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
        } else {
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << label->objectName().toStdString();
            EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
        }
    }
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        if (box->text().isEmpty()) continue;
        const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                              box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        EXPECT_LE(indicator + QFontMetrics(box->font()).horizontalAdvance(box->text()), box->width())
            << box->objectName().toStdString();
    }
}

// A desktop style may make a click on a track jump the thumb to the pointer.
class JumpingTrackStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ScrollBar_LeftClickAbsolutePosition) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

TEST(Form1, AClickOnTheTrackStepsByOneWhateverTheDesktopStyle) {
    QApplication::setStyle(new JumpingTrackStyle);
    {
        editor::Form1 picker;
        picker.show();
        QScrollBar* red = picker.scrColor[0];
        QTest::mouseClick(red, Qt::LeftButton, {}, QPoint(red->width() / 2, red->height() * 3 / 4));
        EXPECT_EQ(red->value(), 1);
        EXPECT_EQ(picker.Text1->text(), "Color = RGB 1,0,0");
    }
    QApplication::setStyle(QStringLiteral("fusion"));
}

TEST(Form1, ShowsTheColourOfTheSlidersAndFollowsADragOnlyInTheFields) {
    editor::Form1 picker;
    const QColor fresh = picker.picColor->palette().color(picker.picColor->backgroundRole());
    EXPECT_EQ(fresh, picker.palette().color(QPalette::Base));
    EXPECT_NE(fresh, QColor(Qt::black));
    EXPECT_TRUE(picker.Text1->text().isEmpty() && picker.Text2->text().isEmpty());
    EXPECT_EQ(picker.Text2->palette().color(QPalette::Base), QColor(251, 255, 198));

    auto preview = [&] { return picker.picColor->palette().color(picker.picColor->backgroundRole()); };
    auto fields = [&] { return (picker.Text2->text() + "," + picker.Text3->text() + "," + picker.Text4->text()).toStdString(); };
    picker.scrColor[1]->setValue(128);
    EXPECT_EQ(preview(), QColor(0, 128, 0));
    EXPECT_EQ(picker.Text1->text(), "Color = RGB 0,128,0");
    EXPECT_EQ(fields(), "0,128,0");

    picker.Text2->setText("77");  // typed by hand: moves nothing, replaced at the next change
    picker.scrColor[2]->setSliderDown(true);
    picker.scrColor[2]->setValue(40);
    EXPECT_EQ(fields(), "0,128,40");
    EXPECT_EQ(picker.Text1->text(), "Color = RGB 0,128,0");
    EXPECT_EQ(preview(), QColor(0, 128, 0));
    picker.scrColor[2]->setSliderDown(false);
    EXPECT_EQ(picker.Text1->text(), "Color = RGB 0,128,40");

    for (QScrollBar* bar : picker.scrColor) bar->setValue(255);
    EXPECT_EQ(preview(), QColor(Qt::white));
    EXPECT_EQ(fields(), "255,255,255");
    for (QScrollBar* bar : picker.scrColor) bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(preview(), QColor(Qt::black));
    EXPECT_EQ(picker.Text1->text(), "Color = RGB 0,0,0");
    picker.scrColor[0]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(picker.scrColor[0]->value(), 1);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The faces the program itself puts in for the windows' font names.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The frames paint themselves, as a style sheet on the window would have
// drawn them (line through the caption's middle, broken for the caption),
// without the sheet's cost of restyling every control in the window.
TEST_F(EditorWindow, FramesLookAsTheirStyleSheetDrewThem) {
    const auto frames = window->findChildren<editor::FrameBox*>();
    ASSERT_EQ(frames.size(), 10);
    for (const editor::FrameBox* frame : frames) {
        QWidget sheetHost;
        sheetHost.setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid #a0a0a0; margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
            " left: 6px; padding: 0px 2px; }"));
        auto* sheetFrame = new QGroupBox(frame->title(), &sheetHost);
        sheetFrame->setFont(frame->font());
        sheetFrame->setGeometry(QRect(QPoint(0, 0), frame->size()));
        sheetHost.setFixedSize(frame->size());
        QWidget ownHost;
        ownHost.setFixedSize(frame->size());
        auto* ownFrame = new editor::FrameBox(frame->title(), &ownHost);
        ownFrame->setFont(frame->font());
        ownFrame->setGeometry(QRect(QPoint(0, 0), frame->size()));
        EXPECT_EQ(ownHost.grab().toImage(), sheetHost.grab().toImage()) << frame->title().toStdString();
    }
}
