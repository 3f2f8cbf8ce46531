#pragma once
// The start screen: reads the menu script at load, shows the menu, and runs
// the intro, the game start and the menu buttons' sequences.

#include <QLabel>
#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "view/picture_files.h"
#include "view/start_screen.h"
#include "script/failure.h"
#include "script/menu_settings.h"

namespace platform { class Platform; }

namespace launcher {

class LauncherWindows;

// The window is the start screen's host and finds the screen's files below
// the working folder, through the platform's existence test.
class start : public QWidget, private view::ScreenFiles, public view::StartScreen {
public:
    explicit start(LauncherWindows& windows);
    ~start() override;

    // --- load and settings pass -------------------------------------------------
    void Form_Load();
    void ApplySettings();
    bool FileExists(const std::string& strPath) override;
    // How many settings passes the last load ran.
    int settingsPasses() const { return settingsPasses_; }

    // --- presentation and sequences ---------------------------------------------
    void StartPresentation();
    void WaitShort();
    void WaitTimeDelay();
    void WaitTimeDelay3();
    void WaitSplashTime();

    void Command1_Click();  // Play
    void Command2_Click();  // Setup
    void Command3_Click();  // Help
    void Command4_Click();  // Start
    void Command5_Click();  // Stop
    void Command6_Click();  // Stop, splash row
    void Command7_Click();  // Help, splash row
    void Form_KeyDown(int KeyCode, int Shift);

    // Unloading hides the window for good; the object lives on until the
    // program ends, since a sequence may still be waiting inside it.
    void unload();
    bool isLoaded() const { return loaded_; }
    // The launcher lives on while the window is loaded, or while a Play or
    // Start sequence goes on after a stray key unloaded it.
    bool keepsLauncherRunning() const { return loaded_ || sequenceOutlivesWindow_; }
    // Releases the player's input if a sequence left it blocked.
    void releaseInput();
    // Marks a Play or Start sequence as running for its lifetime.
    friend class RunningSequence;

    // --- window fields, filled by Form_Load ----------------------------------------
    std::int16_t intTimeDelay = 0;
    std::int16_t intTimeDelay3 = 0;
    std::int16_t intButtonSoundOn = 0;
    std::string strTitle2;
    std::string strLbl1;
    std::string strClickSoundFile;
    std::int16_t intSplashTime = 0;
    std::int16_t intSlides = 0;
    std::string strBgWave;
    std::string strBgMidi;
    std::string strSplashText;
    std::string strMusicFile;

    // The controls (Image1, Label1, Command1 ...) are the start screen's.

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const QPixmap& picture(const std::string& windowsName) override;
    void connectHandlers();
    void takeWindowFields();
    void centreOnScreen();

    void clickSound();
    void sendMci(const std::string& command);
    void sendKeys(const std::string& keys);
    void startGame();
    void blockInput();
    void unblockInput();
    void endIfUnloaded() const;
    void wait(double seconds);
    void missingFileReport(const script::Failure& failure);
    std::string nativeHandle();

    LauncherWindows& windows_;
    platform::Platform& platform_;
    bool loaded_ = true;
    bool blnInputBlocked_ = false;
    int runningSequences_ = 0;
    bool sequenceOutlivesWindow_ = false;
    script::MenuSettings startupValues_;  // exist while Form_Load runs
    view::PictureFiles pictures_;
    // The settings pass runs after every record and asks after the same files
    // each time; while Form_Load reads the script the first answer stands, so
    // the file system is asked once per start-up. Unset otherwise: later
    // questions (Play's logo and clip) are asked afresh.
    std::optional<std::map<std::string, bool>> startupFileAnswers_;
    int settingsPasses_ = 0;
};

// The key code a window's key handler receives for a Qt key (Windows
// virtual-key numbering: letters are their capitals, 83 is S).
int windowsKeyCode(int qtKey);
// Shift, Control, Alt, AltGr, Meta/Super, Caps Lock or Num Lock pressed alone.
bool isLoneModifierKey(int qtKey);

}  // namespace launcher
