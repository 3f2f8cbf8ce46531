#pragma once
// A start view with no screen behind it, for the packager's dry run: it makes
// the look of every settings pass, so start-up stops where the launcher's
// would, and keeps what the engine asked it to show.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "menu/screen_look.h"
#include "menu/start_view.h"
#include "script/failure.h"

namespace platform { class Platform; }

namespace menu {

// Throws script::Failure naming the file when the Windows name, taken below
// `folder`, is missing or no picture the programs can show. Reading
// pictures takes Qt's image readers, which menu/ does not link: the program
// passes its own test.
using PictureTest = std::function<void(const std::string& windowsName, const std::filesystem::path& folder)>;

// A game folder's files as the dry run asks after them; each answer stands
// for the whole run, since nothing is written meanwhile.
class FolderLookFiles : public LookFiles {
public:
    FolderLookFiles(std::filesystem::path folder, PictureTest pictures);
    bool FileExists(const std::string& strPath) override;
    void requirePicture(const std::string& windowsName) override;

private:
    std::filesystem::path folder_;
    PictureTest pictures_;
    std::map<std::string, bool> exists_;
    std::map<std::string, std::optional<script::Failure>> pictureFailures_;
};

class RecordingView : public StartView {
public:
    // The message box beeps through `platform` as the launcher's does.
    RecordingView(LookFiles& files, platform::Platform& platform) : files_(files), platform_(platform) {}

    bool screenShown = false;
    // The message box's prompt, once one is shown; it stays until the player closes it.
    std::optional<std::string> messageBox;
    bool helpShown = false;

    void applySettings(const script::MenuSettings& values) override;
    void showScreen() override { screenShown = true; }
    void hideScreen() override { screenShown = false; }
    void showLogo(const std::string& picture) override { files_.requirePicture(picture); }
    // No window: a clip would have none to play in.
    std::string clipParent() override { return "0"; }
    void showTitles(const std::string&, const std::string&) override {}
    void showMessageBox(const std::string& title, const std::string& prompt, int icon) override;
    // Only noted: the help screen's own reading of the script is not run.
    void showHelp() override { helpShown = true; }
    // The dry run reads the engine's state instead: whether a sequence goes on.
    void closed() override {}

private:
    LookFiles& files_;
    platform::Platform& platform_;
};

}  // namespace menu
