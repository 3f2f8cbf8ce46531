#pragma once
// The start screen's files found below a game folder given by name, as the
// launcher finds them below its working folder.

#include <filesystem>

#include "view/picture_files.h"
#include "view/start_screen.h"

namespace view {

class FolderFiles : public ScreenFiles {
public:
    explicit FolderFiles(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    bool FileExists(const std::string& strPath) override;
    const QPixmap& picture(const std::string& windowsName) override;

private:
    std::filesystem::path folder_;
    PictureFiles pictures_;
};

}  // namespace view
