#include "launcher/picture_files.h"

#include <QImage>
#include <QImageReader>
#include <filesystem>

#include "script/failure.h"
#include "script/windows_path.h"

namespace launcher {

QPixmap loadPicture(const std::string& windowsName) {
    const std::filesystem::path path = script::mapWindowsPath(windowsName);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw script::Failure(script::FailureKind::FileNotFound, {}, windowsName);
    if (std::filesystem::is_directory(path, error))
        throw script::Failure(script::FailureKind::InvalidPicture, "is a folder", windowsName);
    QImageReader reader(QString::fromStdString(path.string()));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        throw script::Failure(script::FailureKind::InvalidPicture,
                              "cannot be read as a picture (" + reader.errorString().toStdString() + ")",
                              windowsName);
    return QPixmap::fromImage(image);
}

const QPixmap& PictureFiles::load(const std::string& windowsName) {
    auto found = pictures_.find(windowsName);
    if (found == pictures_.end()) found = pictures_.emplace(windowsName, loadPicture(windowsName)).first;
    return found->second;
}

}  // namespace launcher
