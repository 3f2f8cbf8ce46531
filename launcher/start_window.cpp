// The start window: its load handler, the settings pass and its keys.
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScreen>

#include "launcher/artwork.h"
#include "launcher/launcher_windows.h"
#include "launcher/start.h"
#include "view/window_placement.h"
#include "menu/startup_reading.h"
#include "script/file_io.h"
#include "script/windows_path.h"

namespace launcher {

namespace {

constexpr const char* kScriptName = "Data\\kelo.pod";

}  // namespace

start::start(LauncherWindows& windows)
    : view::StartScreen(*this, *this), windows_(windows), platform_(windows.platform()) {
    setObjectName(QStringLiteral("start"));
    setWindowTitle(QStringLiteral("Start"));
    setWindowIcon(QIcon(startWindowIcon()));
    // Title and close only: the Motif hints these flags set ask for no minimise
    // or maximise. Openbox draws both buttons on every normal window whatever
    // the hints say; it only disables maximise for a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    connectHandlers();
}

start::~start() = default;

void start::connectHandlers() {
    auto handle = [this](view::GraphicalButton* control, void (start::*handler)()) {
        connect(control, &QPushButton::clicked, this,
                [this, handler] { windows_.runHandler([this, handler] { (this->*handler)(); }); });
    };
    handle(Command1, &start::Command1_Click);
    handle(Command2, &start::Command2_Click);
    handle(Command3, &start::Command3_Click);
    handle(Command4, &start::Command4_Click);
    handle(Command5, &start::Command5_Click);
    handle(Command6, &start::Command6_Click);
    handle(Command7, &start::Command7_Click);
}

void start::centreOnScreen() { view::centreByOuterFrame(*this, QGuiApplication::primaryScreen()); }

bool start::FileExists(const std::string& strPath) {
    if (!startupFileAnswers_) return platform_.PathFileExistsA(strPath) == 1;
    const auto [answer, firstAsked] = startupFileAnswers_->try_emplace(strPath, false);
    if (firstAsked) answer->second = platform_.PathFileExistsA(strPath) == 1;
    return answer->second;
}

const QPixmap& start::picture(const std::string& windowsName) { return pictures_.load(windowsName); }

void start::Form_Load() {
    // Key preview: the window's key handler sees every key before the button
    // that has the focus.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    const std::filesystem::path scriptPath = script::mapWindowsPath(kScriptName);
    startupValues_ = menu::initialStartupValues(script::nameOnThisSystem(scriptPath).shown);
    pictures_.clear();
    settingsPasses_ = 0;

    holdSizing(true);
    std::string bytes = windows_.scriptBytes ? *windows_.scriptBytes : script::readWholeFile(scriptPath, kScriptName);
    pictures_.prefetch(view::picturesNamedIn(bytes));
    {
        // The passes' answers about files last while the script is read,
        // whether or not the reading fails; the window shows after that.
        startupFileAnswers_.emplace();
        const auto answersEnd = qScopeGuard([this] { startupFileAnswers_.reset(); });
        menu::readStartupScript(std::move(bytes), startupValues_, [this] {
            takeWindowFields();
            ApplySettings();
        });
    }

    holdSizing(false);
    // The start-up values end with the load; the controls keep what they show.
    startupValues_ = {};
    pictures_.clear();
    centreOnScreen();
    StartPresentation();
}

// Every window field starts out as the value a keyword leaves while unread,
// so copying them all after each record is the same as storing each one.
void start::takeWindowFields() {
    const script::MenuSettings& s = startupValues_;
    intTimeDelay = s.TIMEDELAY;
    intTimeDelay3 = s.TIMEDELAY3;
    strClickSoundFile = s.BSNDH;
    strLbl1 = s.LBL1;
    strSplashText = s.SPLTXT;
    intSplashTime = s.SPTIM;
    intSlides = s.SLIDE;
    strBgMidi = s.BGMID;
    strBgWave = s.BGWAV;
}

void start::ApplySettings() {
    // Values the later handlers read, then the look.
    ++settingsPasses_;
    intButtonSoundOn = startupValues_.BSND;
    strTitle2 = startupValues_.TITLE2;
    view::StartScreen::ApplySettings(startupValues_);
}

void start::keyPressEvent(QKeyEvent* event) {
    // A modifier on its own is no key: Shift held for a capital S must not
    // close the window before the S arrives.
    if (!loaded_ || isLoneModifierKey(event->key())) return;
    const int keyCode = windowsKeyCode(event->key());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int shift = (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                      (modifiers & Qt::AltModifier ? 4 : 0);
    windows_.runHandler([this, keyCode, shift] { Form_KeyDown(keyCode, shift); });
}

bool start::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void start::closeEvent(QCloseEvent* event) {
    event->accept();
    unload();
}

void start::unload() {
    if (!loaded_) return;
    loaded_ = false;
    hide();
    windows_.windowUnloaded();
}

bool isLoneModifierKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr:
        case Qt::Key_Mode_switch: case Qt::Key_Meta: case Qt::Key_Super_L: case Qt::Key_Super_R:
        case Qt::Key_Hyper_L: case Qt::Key_Hyper_R: case Qt::Key_CapsLock: case Qt::Key_NumLock:
            return true;
        default:
            return false;
    }
}

int windowsKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
        case Qt::Key_Return: case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        default: return 0;
    }
}

}  // namespace launcher
