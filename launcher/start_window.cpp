// The start window: its load handler, the settings pass and its keys.
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScreen>

#include "launcher/artwork.h"
#include "launcher/launcher_windows.h"
#include "launcher/msg_box.h"
#include "launcher/start.h"
#include "script/file_io.h"
#include "script/menu_script.h"
#include "script/windows_path.h"
#include "view/script_text.h"
#include "view/window_placement.h"

namespace launcher {

start::start(LauncherWindows& windows)
    : view::StartScreen(*this, *this), windows_(windows), menu_(windows.platform(), *this) {
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
    auto handle = [this](view::GraphicalButton* control, void (menu::StartMenu::*handler)()) {
        connect(control, &QPushButton::clicked, this,
                [this, handler] { windows_.runHandler([this, handler] { (menu_.*handler)(); }); });
    };
    handle(Command1, &menu::StartMenu::Command1_Click);
    handle(Command2, &menu::StartMenu::Command2_Click);
    handle(Command3, &menu::StartMenu::Command3_Click);
    handle(Command4, &menu::StartMenu::Command4_Click);
    handle(Command5, &menu::StartMenu::Command5_Click);
    handle(Command6, &menu::StartMenu::Command6_Click);
    handle(Command7, &menu::StartMenu::Command7_Click);
}

void start::centreOnScreen() { view::centreByOuterFrame(*this, QGuiApplication::primaryScreen()); }

bool start::FileExists(const std::string& strPath) {
    return startupFiles_ ? startupFiles_->FileExists(strPath) : menu_.FileExists(strPath);
}

const QPixmap& start::picture(const std::string& windowsName) {
    return startupFiles_ ? startupFiles_->picture(windowsName) : laterPictures_.load(windowsName);
}

void start::Form_Load() {
    // Key preview: the window's key handler sees every key before the button
    // that has the focus.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    // The start-up's answers about files last while the script is read,
    // whether or not the reading fails; the window shows after that.
    startupFiles_ = windows_.startupFiles ? std::move(windows_.startupFiles) : view::FolderFiles::ofWorkingFolder();
    {
        const auto filesEnd = qScopeGuard([this] { startupFiles_.reset(); });
        const std::filesystem::path scriptPath = startupFiles_->find(script::kScriptInGameFolder).path;
        holdSizing(true);
        std::string bytes =
            windows_.scriptBytes ? *windows_.scriptBytes
                                 : script::readWholeFile(scriptPath, script::kScriptInGameFolder);
        startupFiles_->prefetch(view::picturesNamedIn(bytes));
        menu_.readScript(std::move(bytes), script::nameOnThisSystem(scriptPath).shown);
    }
    holdSizing(false);
    centreOnScreen();
    menu_.StartPresentation();
}

// --- the view the engine drives ----------------------------------------------------

void start::applySettings(const script::MenuSettings& values) { view::StartScreen::ApplySettings(values); }

void start::showScreen() {
    show();
    // The player's keys must reach the start screen at once, also where no
    // window manager gives it the focus: without one, Qt sets the X input
    // focus itself as soon as the window is mapped.
    activateWindow();
}

void start::hideScreen() { hide(); }

void start::showLogo(const std::string& picture) { setImage1Picture(view::loadPicture(picture)); }

std::string start::clipParent() { return std::to_string(static_cast<unsigned long long>(winId())); }

void start::showTitles(const std::string& label1, const std::string& title2) {
    Label1->setCaption(view::fromScriptText(label1));
    Label2->setCaption(view::fromScriptText(title2));
}

void start::showMessageBox(const std::string& title, const std::string& prompt, int icon) {
    MsgBox::ShowOwnbox(windows_, QString::fromStdString(title), QString::fromStdString(prompt),
                       static_cast<std::int16_t>(icon));
}

void start::showHelp() { windows_.showDialog(); }

void start::closed() { windows_.windowUnloaded(); }

void start::keyPressEvent(QKeyEvent* event) {
    // A modifier on its own is no key: Shift held for a capital S must not
    // close the window before the S arrives.
    if (!menu_.isLoaded() || isLoneModifierKey(event->key())) return;
    const int keyCode = windowsKeyCode(event->key());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int shift = (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                      (modifiers & Qt::AltModifier ? 4 : 0);
    windows_.runHandler([this, keyCode, shift] { menu_.Form_KeyDown(keyCode, shift); });
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
    menu_.unload();
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
