#pragma once
// Pictures named the Windows way, loaded through Qt's image readers.

#include <QPixmap>
#include <map>
#include <string>

namespace launcher {

// Throws script::Failure naming the file: FileNotFound when nothing is there,
// InvalidPicture when it is a folder or no reader can decode it.
QPixmap loadPicture(const std::string& windowsName);

// The settings pass loads the same pictures on every one of its runs; this
// decodes each file once and hands out the same picture afterwards. Lives as
// long as one start-up (or one load of the help screen).
class PictureFiles {
public:
    const QPixmap& load(const std::string& windowsName);
    void clear() { pictures_.clear(); }

private:
    std::map<std::string, QPixmap> pictures_;
};

}  // namespace launcher
