#pragma once
// The start screen's files found below a game folder given by name, as the
// launcher finds them below its working folder. Meant for one start-up or
// one drawing: the folder's files are taken not to change meanwhile, so each
// name is looked up once, and pictures are decoded once.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "script/windows_path.h"
#include "view/picture_files.h"
#include "view/start_screen.h"

namespace view {

class FolderFiles : public ScreenFiles {
public:
    explicit FolderFiles(std::filesystem::path folder, script::FileQueries& queries = script::systemFileQueries());
    // The working folder's files (the folder "." when it cannot be told).
    static std::unique_ptr<FolderFiles> ofWorkingFolder();

    const std::filesystem::path& folder() const { return names_.base(); }
    script::NameFinder::Found find(const std::string& windowsName) { return names_.find(windowsName); }
    bool FileExists(const std::string& strPath) override;
    const QPixmap& picture(const std::string& windowsName) override;
    // Looks up and decodes these pictures on a worker thread, ahead of the
    // settings pass that asks for them.
    void prefetch(const std::vector<std::string>& windowsNames) { pictures_.prefetch(windowsNames); }
    // Looks up the script and the pictures it names for the start screen, so
    // that the answers wait when the start-up asks. Safe on any thread, also
    // while another one asks; a script that cannot be read is left for the
    // start-up to report.
    void lookUpAhead(const std::string& scriptName);

private:
    script::NameFinder names_;
    PictureFiles pictures_;
};

}  // namespace view
