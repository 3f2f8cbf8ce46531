#include "view/folder_files.h"

#include "script/failure.h"
#include "script/file_io.h"

namespace view {

FolderFiles::FolderFiles(std::filesystem::path folder, script::FileQueries& queries)
    : names_(std::move(folder), queries), pictures_(names_) {}

std::unique_ptr<FolderFiles> FolderFiles::ofWorkingFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return std::make_unique<FolderFiles>(error ? std::filesystem::path(".") : folder);
}

void FolderFiles::lookUpAhead(const std::string& scriptName) {
    try {
        const std::string bytes = script::readWholeFile(names_.find(scriptName).path, scriptName);
        for (const std::string& name : picturesNamedIn(bytes)) names_.find(name);
    } catch (const script::Failure&) {
        // The start-up reads the script again and reports it.
    }
}

bool FolderFiles::FileExists(const std::string& strPath) { return names_.find(strPath).exists(); }

const QPixmap& FolderFiles::picture(const std::string& windowsName) { return pictures_.load(windowsName); }

}  // namespace view
