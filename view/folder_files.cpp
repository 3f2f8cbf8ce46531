#include "view/folder_files.h"

namespace view {

FolderFiles::FolderFiles(std::filesystem::path folder, script::FileQueries& queries)
    : names_(std::move(folder), queries), pictures_(names_) {}

bool FolderFiles::FileExists(const std::string& strPath) { return names_.find(strPath).exists(); }

const QPixmap& FolderFiles::picture(const std::string& windowsName) { return pictures_.load(windowsName); }

}  // namespace view
