// What the start window does on its own once the script is read: the
// presentation, the Play sequence, the skip key and the menu buttons.
#include <array>
#include <cstdio>
#include <cstring>

#include "launcher/error_report.h"
#include "launcher/launcher_windows.h"
#include "launcher/msg_box.h"
#include "view/script_text.h"
#include "launcher/start.h"
#include "platform/platform.h"
#include "script/failure.h"
#include "script/untyped.h"

namespace launcher {

namespace {

constexpr const char* kLogo = "Data\\logo.bmp";
constexpr const char* kClip = "data\\test.avi";
constexpr const char* kGame = "zembrot.exe";
constexpr const char* kChildWindowStyle = "1073741824";

// Releases the player's input when a sequence leaves its scope by any way:
// its end, a failure, or the start window unloaded under it.
class InputRelease {
public:
    explicit InputRelease(start& window) : window_(window) {}
    ~InputRelease() { window_.releaseInput(); }
    InputRelease(const InputRelease&) = delete;
    InputRelease& operator=(const InputRelease&) = delete;

private:
    start& window_;
};

}  // namespace

// While a Play or Start sequence runs, a key other than S unloads the start
// window but not the sequence: the player asked for the game by pressing
// Play. The launcher ends when the sequence does.
class RunningSequence {
public:
    explicit RunningSequence(start& window) : window_(window) { ++window_.runningSequences_; }
    ~RunningSequence() {
        if (--window_.runningSequences_ > 0 || !window_.sequenceOutlivesWindow_) return;
        window_.sequenceOutlivesWindow_ = false;
        window_.windows_.windowUnloaded();
    }
    RunningSequence(const RunningSequence&) = delete;
    RunningSequence& operator=(const RunningSequence&) = delete;

private:
    start& window_;
};

namespace {

struct ClipSize {
    std::string width, height;
};

// The destination reply is "left top width height". The width is taken with
// the blank before it, so the put command carries two blanks there.
ClipSize cutDestinationReply(const std::string& reply) {
    const auto p1 = reply.find(' ');
    const auto p2 = p1 == std::string::npos ? p1 : reply.find(' ', p1 + 1);
    const auto p3 = p2 == std::string::npos ? p2 : reply.find(' ', p2 + 1);
    if (p3 == std::string::npos)
        throw script::Failure(script::FailureKind::InvalidProcedureCall,
                              "the clip's size reply \"" + reply + "\" is not four numbers");
    return {reply.substr(p2, p3 - p2), reply.substr(p3 + 1)};
}

}  // namespace

// --- waits ---------------------------------------------------------------------

void start::wait(double seconds) {
    platform_.Wait(seconds);
    endIfUnloaded();
}

void start::WaitShort() { wait(0.95); }
void start::WaitTimeDelay() { wait(intTimeDelay); }
void start::WaitTimeDelay3() { wait(intTimeDelay3); }
void start::WaitSplashTime() { wait(intSplashTime); }

// Handlers run nested inside waits (and inside the wait for the game's focus
// while keys are sent). One of them may have unloaded this window; whatever
// was interrupted then ends instead of acting on a window that is gone.
void start::endIfUnloaded() const {
    if (!loaded_ && !sequenceOutlivesWindow_) throw SequenceEnded{};
}

// --- platform calls as the sequences use them --------------------------------------

void start::clickSound() {
    if (intButtonSoundOn > 0) platform_.sndPlaySoundA(strClickSoundFile, 0);
}

void start::sendMci(const std::string& command) { platform_.mciSendStringA(command, nullptr, 0, 0); }

void start::sendKeys(const std::string& keys) {
    platform_.SendKeys(keys);
    endIfUnloaded();
}

void start::startGame() { platform_.StartProgram(kGame); }

void start::blockInput() {
    blnInputBlocked_ = true;
    platform_.BlockInput(true);
}

void start::unblockInput() {
    blnInputBlocked_ = false;
    platform_.BlockInput(false);
}

void start::releaseInput() {
    if (blnInputBlocked_) unblockInput();
}

std::string start::nativeHandle() { return std::to_string(static_cast<unsigned long long>(winId())); }

// --- presentation --------------------------------------------------------------

void start::StartPresentation() {
    show();
    // The player's keys must reach the start screen at once, also where no
    // window manager gives it the focus: without one, Qt sets the X input
    // focus itself as soon as the window is mapped.
    activateWindow();
    WaitShort();
    if (script::sortsAfterDataFolder(strBgWave)) {
        platform_.sndPlaySoundA(strBgWave, 0);
    } else if (script::sortsAfterDataFolder(strBgMidi)) {
        strMusicFile = strBgMidi;
        sendMci("play " + strMusicFile);
    }
}

// --- Play ----------------------------------------------------------------------

void start::Command1_Click() {
    RunningSequence running(*this);
    clickSound();
    InputRelease release(*this);
    bool clipOpen = false;
    try {
        if (FileExists(kLogo)) {
            const QPixmap logo = view::loadPicture(kLogo);
            setImage1Picture(logo);
            WaitTimeDelay();
        }
        if (FileExists(kClip)) {
            sendMci("close all");
            sendMci(std::string("open ") + kClip + " Type avivideo Alias video2 parent " + nativeHandle() +
                    " Style " + kChildWindowStyle);
            clipOpen = true;
            std::array<char, 128> reply{};
            platform_.mciSendStringA("Where video2 destination", reply.data(), reply.size() - 1, 0);
            const ClipSize size = cutDestinationReply(std::string(reply.data(), strnlen(reply.data(), reply.size())));
            sendMci("put video2 window at 10 10 " + size.width + " " + size.height);
            sendMci("play video2 from 0");
            WaitTimeDelay();
            sendMci("stop video2");
            sendMci("close video2");
            clipOpen = false;
            hide();
        }
        sendMci("close " + strMusicFile);
        startGame();
        WaitTimeDelay3();
        if (intSlides > 0) {
            blockInput();
            for (int slide = 0, slides = intSlides; slide < slides; ++slide) {
                sendKeys("{ }");
                WaitSplashTime();
            }
        }
        unblockInput();  // whether or not it was blocked
        sendKeys("%{G}");
        WaitTimeDelay3();
        sendKeys("{enter}");
        unload();
    } catch (const script::Failure& failure) {
        // The player gets the desktop back before reading the report.
        releaseInput();
        missingFileReport(failure);
    } catch (const SequenceEnded&) {
        // The window went while the clip played: the clip must not play on.
        if (clipOpen) {
            sendMci("stop video2");
            sendMci("close video2");
        }
        throw;
    }
}

void start::missingFileReport(const script::Failure& failure) {
    // The box only says "Missing File"; the packager learns which and where.
    printFailure(failure);
    windows_.ownbox();
    MsgBox::ShowOwnbox(windows_, QStringLiteral(" Messege Box"), QStringLiteral("Missing File"), 3);
    unload();
}

// --- skip key ------------------------------------------------------------------

void start::Form_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == 83) {
        intSlides = 0;
        sendMci("close " + strMusicFile);
        WaitTimeDelay3();
        startGame();
        sendKeys("%{G}");
        WaitTimeDelay3();
        sendKeys("{enter}");
        // The game has started and has its keys: a Play or Start sequence
        // that this interrupted ends here, also one that a stray key had let
        // outlive the window, so that it does not start the game again.
        if (sequenceOutlivesWindow_) {
            sequenceOutlivesWindow_ = false;
            if (!loaded_) windows_.windowUnloaded();
        }
    } else if (runningSequences_ > 0) {
        sequenceOutlivesWindow_ = true;
    }
    unload();
}

// --- menu buttons --------------------------------------------------------------

void start::Command4_Click() {
    RunningSequence running(*this);
    sendMci("close " + strMusicFile);
    clickSound();
    hide();
    startGame();
    WaitTimeDelay3();
    InputRelease release(*this);
    blockInput();
    if (intSlides > 0) {
        for (int slide = 0, slides = intSlides; slide < slides; ++slide) {
            sendKeys("{ }");
            WaitSplashTime();
        }
    }
    unblockInput();
    sendKeys("%{G}");
    WaitTimeDelay3();
    sendKeys("{enter}");
    unload();
}

void start::Command2_Click() {
    clickSound();
    startGame();
    WaitTimeDelay3();
    sendKeys("%{G}");
    sendKeys("{down 6}");
    sendKeys("{enter}");
    WaitTimeDelay3();
    sendKeys("%{O}");
    Label1->setCaption(view::fromScriptText(strLbl1));
    Label2->setCaption(view::fromScriptText(strTitle2));
}

void start::Command3_Click() {
    clickSound();
    windows_.showDialog();
}

void start::Command7_Click() {
    clickSound();
    windows_.showDialog();
}

void start::Command5_Click() {
    sendMci("close " + strMusicFile);
    clickSound();
    unload();
}

void start::Command6_Click() {
    sendMci("close " + strMusicFile);
    clickSound();
    unload();
}

}  // namespace launcher
