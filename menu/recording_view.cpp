#include "menu/recording_view.h"

#include "platform/platform.h"
#include "script/windows_path.h"

namespace menu {

FolderLookFiles::FolderLookFiles(std::filesystem::path folder, PictureTest pictures)
    : folder_(std::move(folder)), pictures_(std::move(pictures)) {}

bool FolderLookFiles::FileExists(const std::string& strPath) {
    const auto [answer, firstAsked] = exists_.try_emplace(strPath, false);
    if (firstAsked) answer->second = script::windowsPathExists(strPath, folder_);
    return answer->second;
}

void FolderLookFiles::requirePicture(const std::string& windowsName) {
    auto known = pictureFailures_.find(windowsName);
    if (known == pictureFailures_.end()) {
        std::optional<script::Failure> failure;
        try {
            pictures_(windowsName, folder_);
        } catch (const script::Failure& refused) {
            failure = refused;
        }
        known = pictureFailures_.emplace(windowsName, std::move(failure)).first;
    }
    // A copy: whoever catches it adds the script's line and keyword.
    if (known->second) throw script::Failure(*known->second);
}

void RecordingView::applySettings(const script::MenuSettings& values) { screenLook(values, files_); }

void RecordingView::showMessageBox(const std::string&, const std::string& prompt, int) {
    messageBox = prompt;
    platform_.Beep();
}

}  // namespace menu
