#include "view/folder_files.h"

#include "script/windows_path.h"

namespace view {

FolderFiles::FolderFiles(std::filesystem::path folder) : folder_(folder), pictures_(std::move(folder)) {}

bool FolderFiles::FileExists(const std::string& strPath) { return script::windowsPathExists(strPath, folder_); }

const QPixmap& FolderFiles::picture(const std::string& windowsName) { return pictures_.load(windowsName); }

}  // namespace view
