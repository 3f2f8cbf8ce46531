#pragma once
// The start menu's engine: the window-level values start-up reads, the
// presentation, the Play, Start and Setup sequences, the skip key and the
// other buttons, against the platform and a view. No widgets.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "menu/start_view.h"
#include "script/failure.h"
#include "script/menu_settings.h"

namespace platform { class Platform; }

namespace menu {

// The game folder's files the sequences use.
inline constexpr const char* kLogoPicture = "Data\\logo.bmp";
inline constexpr const char* kIntroClip = "data\\test.avi";
inline constexpr const char* kGameProgram = "zembrot.exe";

// Thrown when a sequence resumes after a nested handler unloaded the start
// screen: the sequence ends there, and the caller passes over it silently.
struct SequenceEnded {};

class StartMenu {
public:
    StartMenu(platform::Platform& platform, StartView& view);

    // --- load and settings pass -------------------------------------------------
    // Reads the script's bytes as start-up does, with the window fields and
    // the settings pass after every field taken. `shownName` is the script's
    // name in reports. Throws script::Failure where start-up stops.
    void readScript(std::string bytes, const std::string& shownName);
    // Start-up: the script read, then the presentation.
    void Form_Load(std::string bytes, const std::string& shownName);
    void ApplySettings();
    bool FileExists(const std::string& strPath);
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

    // Unloading hides the screen for good; the engine lives on until the
    // program ends, since a sequence may still be waiting inside it.
    void unload();
    bool isLoaded() const { return loaded_; }
    // The program lives on while the screen is loaded, or while a Play or
    // Start sequence goes on after a stray key unloaded it.
    bool keepsLauncherRunning() const { return loaded_ || sequenceOutlivesWindow_; }
    // Releases the player's input if a sequence left it blocked.
    void releaseInput();
    // Marks a Play or Start sequence as running for its lifetime.
    friend class RunningSequence;

    // --- window fields, filled by the load --------------------------------------------
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

private:
    void takeWindowFields();
    void clickSound();
    void sendMci(const std::string& command);
    void sendKeys(const std::string& keys);
    void startGame();
    void blockInput();
    void unblockInput();
    void slides();
    void gameMenuKeys();
    void endIfUnloaded() const;
    void wait(double seconds);
    void missingFileReport(const script::Failure& failure);

    platform::Platform& platform_;
    StartView& view_;
    bool loaded_ = true;
    bool blnInputBlocked_ = false;
    int runningSequences_ = 0;
    bool sequenceOutlivesWindow_ = false;
    script::MenuSettings startupValues_;  // exist while the script is read
    // The settings pass runs after every record and asks after the same files
    // each time; while the script is read the first answer stands, so the
    // file system is asked once per start-up. Unset otherwise: later
    // questions (Play's logo and clip) are asked afresh.
    std::optional<std::map<std::string, bool>> startupFileAnswers_;
    int settingsPasses_ = 0;
};

// Runs a handler as the event loop does: a sequence that ended with its
// screen passes silently; a failure no handler caught releases the player's
// input (when `menu` is given) and is returned, for the program to report.
std::optional<script::Failure> runHandler(const std::function<void()>& handler, StartMenu* menu);

// Prints a failure's report as one line on standard error.
void printFailure(const script::Failure& failure);

}  // namespace menu
