// The start menu's engine: start-up's reading of the window fields, the
// presentation, the Play sequence, the skip key and the menu buttons.
#include "menu/start_menu.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "menu/startup_reading.h"
#include "platform/platform.h"
#include "script/failure.h"
#include "script/untyped.h"

namespace menu {

namespace {

constexpr const char* kChildWindowStyle = "1073741824";

// Releases the player's input when a sequence leaves its scope by any way:
// its end, a failure, or the start window unloaded under it.
class InputRelease {
public:
    explicit InputRelease(StartMenu& window) : window_(window) {}
    ~InputRelease() { window_.releaseInput(); }
    InputRelease(const InputRelease&) = delete;
    InputRelease& operator=(const InputRelease&) = delete;

private:
    StartMenu& window_;
};

}  // namespace

// While a Play or Start sequence runs, a key other than S unloads the start
// window but not the sequence: the player asked for the game by pressing
// Play. The launcher ends when the sequence does.
class RunningSequence {
public:
    explicit RunningSequence(StartMenu& window) : window_(window) { ++window_.runningSequences_; }
    ~RunningSequence() {
        if (--window_.runningSequences_ > 0 || !window_.sequenceOutlivesWindow_) return;
        window_.sequenceOutlivesWindow_ = false;
        window_.view_.closed();
    }
    RunningSequence(const RunningSequence&) = delete;
    RunningSequence& operator=(const RunningSequence&) = delete;

private:
    StartMenu& window_;
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

StartMenu::StartMenu(platform::Platform& platform, StartView& view) : platform_(platform), view_(view) {}

// --- load and settings pass ------------------------------------------------------

void StartMenu::Form_Load(std::string bytes, const std::string& shownName) {
    readScript(std::move(bytes), shownName);
    StartPresentation();
}

void StartMenu::readScript(std::string bytes, const std::string& shownName) {
    startupValues_ = initialStartupValues(shownName);
    settingsPasses_ = 0;
    {
        // The passes' answers about files last while the script is read,
        // whether or not the reading fails.
        startupFileAnswers_.emplace();
        struct AnswersEnd {
            StartMenu& menu;
            ~AnswersEnd() { menu.startupFileAnswers_.reset(); }
        } answersEnd{*this};
        readStartupScript(std::move(bytes), startupValues_, [this] {
            takeWindowFields();
            ApplySettings();
        });
    }
    // The start-up values end with the load; the screen keeps what it shows.
    startupValues_ = {};
}

// Every window field starts out as the value a keyword leaves while unread,
// so copying them all after each record is the same as storing each one.
void StartMenu::takeWindowFields() {
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

void StartMenu::ApplySettings() {
    // Values the later handlers read, then the look.
    ++settingsPasses_;
    intButtonSoundOn = startupValues_.BSND;
    strTitle2 = startupValues_.TITLE2;
    view_.applySettings(startupValues_);
}

bool StartMenu::FileExists(const std::string& strPath) {
    if (!startupFileAnswers_) return platform_.PathFileExistsA(strPath) == 1;
    const auto [answer, firstAsked] = startupFileAnswers_->try_emplace(strPath, false);
    if (firstAsked) answer->second = platform_.PathFileExistsA(strPath) == 1;
    return answer->second;
}

void StartMenu::unload() {
    if (!loaded_) return;
    loaded_ = false;
    view_.hideScreen();
    view_.closed();
}

// --- waits ---------------------------------------------------------------------

void StartMenu::wait(double seconds) {
    platform_.Wait(seconds);
    endIfUnloaded();
}

void StartMenu::WaitShort() { wait(0.95); }
void StartMenu::WaitTimeDelay() { wait(intTimeDelay); }
void StartMenu::WaitTimeDelay3() { wait(intTimeDelay3); }
void StartMenu::WaitSplashTime() { wait(intSplashTime); }

// Handlers run nested inside waits (and inside the wait for the game's focus
// while keys are sent). One of them may have unloaded this window; whatever
// was interrupted then ends instead of acting on a window that is gone.
void StartMenu::endIfUnloaded() const {
    if (!loaded_ && !sequenceOutlivesWindow_) throw SequenceEnded{};
}

// --- platform calls as the sequences use them --------------------------------------

void StartMenu::clickSound() {
    if (intButtonSoundOn > 0) platform_.sndPlaySoundA(strClickSoundFile, 0);
}

void StartMenu::sendMci(const std::string& command) { platform_.mciSendStringA(command, nullptr, 0, 0); }

void StartMenu::sendKeys(const std::string& keys) {
    platform_.SendKeys(keys);
    endIfUnloaded();
}

void StartMenu::startGame() { platform_.StartProgram(kGameProgram); }

// The slide show the game opens with, one Space a slide.
void StartMenu::slides() {
    for (int slide = 0, slides = intSlides; slide < slides; ++slide) {
        sendKeys("{ }");
        WaitSplashTime();
    }
}

// The game's menu: New Game.
void StartMenu::gameMenuKeys() {
    sendKeys("%{G}");
    WaitTimeDelay3();
    sendKeys("{enter}");
}

void StartMenu::blockInput() {
    blnInputBlocked_ = true;
    platform_.BlockInput(true);
}

void StartMenu::unblockInput() {
    blnInputBlocked_ = false;
    platform_.BlockInput(false);
}

void StartMenu::releaseInput() {
    if (blnInputBlocked_) unblockInput();
}

// --- presentation --------------------------------------------------------------

void StartMenu::StartPresentation() {
    view_.showScreen();
    WaitShort();
    if (script::sortsAfterDataFolder(strBgWave)) {
        platform_.sndPlaySoundA(strBgWave, 0);
    } else if (script::sortsAfterDataFolder(strBgMidi)) {
        strMusicFile = strBgMidi;
        sendMci("play " + strMusicFile);
    }
}

// --- Play ----------------------------------------------------------------------

void StartMenu::Command1_Click() {
    RunningSequence running(*this);
    clickSound();
    InputRelease release(*this);
    bool clipOpen = false;
    try {
        if (FileExists(kLogoPicture)) {
            view_.showLogo(kLogoPicture);
            WaitTimeDelay();
        }
        if (FileExists(kIntroClip)) {
            sendMci("close all");
            sendMci(std::string("open ") + kIntroClip + " Type avivideo Alias video2 parent " + view_.clipParent() +
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
            view_.hideScreen();
        }
        sendMci("close " + strMusicFile);
        startGame();
        WaitTimeDelay3();
        if (intSlides > 0) {
            blockInput();
            slides();
        }
        unblockInput();  // whether or not it was blocked
        gameMenuKeys();
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

void StartMenu::missingFileReport(const script::Failure& failure) {
    // The box only says "Missing File"; the packager learns which and where.
    printFailure(failure);
    view_.showMessageBox(" Messege Box", "Missing File", 3);
    unload();
}

// --- skip key ------------------------------------------------------------------

void StartMenu::Form_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == 83) {
        intSlides = 0;
        sendMci("close " + strMusicFile);
        WaitTimeDelay3();
        startGame();
        gameMenuKeys();
        // The game has started and has its keys: a Play or Start sequence
        // that this interrupted ends here, also one that a stray key had let
        // outlive the window, so that it does not start the game again.
        if (sequenceOutlivesWindow_) {
            sequenceOutlivesWindow_ = false;
            if (!loaded_) view_.closed();
        }
    } else if (runningSequences_ > 0) {
        sequenceOutlivesWindow_ = true;
    }
    unload();
}

// --- menu buttons --------------------------------------------------------------

void StartMenu::Command4_Click() {
    RunningSequence running(*this);
    sendMci("close " + strMusicFile);
    clickSound();
    view_.hideScreen();
    startGame();
    WaitTimeDelay3();
    InputRelease release(*this);
    blockInput();
    if (intSlides > 0) slides();
    unblockInput();
    gameMenuKeys();
    unload();
}

void StartMenu::Command2_Click() {
    clickSound();
    startGame();
    WaitTimeDelay3();
    sendKeys("%{G}");
    sendKeys("{down 6}");
    sendKeys("{enter}");
    WaitTimeDelay3();
    sendKeys("%{O}");
    view_.showTitles(strLbl1, strTitle2);
}

void StartMenu::Command3_Click() {
    clickSound();
    view_.showHelp();
}

void StartMenu::Command7_Click() {
    clickSound();
    view_.showHelp();
}

void StartMenu::Command5_Click() {
    sendMci("close " + strMusicFile);
    clickSound();
    unload();
}

void StartMenu::Command6_Click() {
    sendMci("close " + strMusicFile);
    clickSound();
    unload();
}

std::optional<script::Failure> runHandler(const std::function<void()>& handler, StartMenu* menu) {
    try {
        handler();
    } catch (const SequenceEnded&) {
    } catch (const script::Failure& failure) {
        if (menu) menu->releaseInput();
        return failure;
    }
    return std::nullopt;
}

void printFailure(const script::Failure& failure) {
    std::fprintf(stderr, "lorvane: %s\n", failure.report().c_str());
    std::fflush(stderr);
}

}  // namespace menu
