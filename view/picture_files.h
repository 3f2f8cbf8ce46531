#pragma once
// Pictures named the Windows way, loaded through Qt's image readers.

#include <QImage>
#include <QPixmap>
#include <filesystem>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace view {

// Throws script::Failure naming the file: FileNotFound when nothing is there,
// InvalidPicture when it is a folder or no reader can decode it. Relative
// names are taken from `folder`, or from the working folder when it is empty.
QPixmap loadPicture(const std::string& windowsName, const std::filesystem::path& folder = {});

// The settings pass loads the same pictures on every one of its runs; this
// decodes each file once and hands out the same picture afterwards. Lives as
// long as one start-up (or one load of the help screen). Relative names are
// taken from the folder it is given, by default the working folder.
class PictureFiles {
public:
    explicit PictureFiles(std::filesystem::path folder = {}) : folder_(std::move(folder)) {}
    ~PictureFiles();
    PictureFiles(const PictureFiles&) = delete;
    PictureFiles& operator=(const PictureFiles&) = delete;

    const QPixmap& load(const std::string& windowsName);
    void clear();

    // Starts decoding files that will be asked for soon on a worker thread,
    // so that it overlaps the work before they are needed. A file that cannot
    // be decoded there is simply loaded (and fails) in load() as usual.
    void prefetch(const std::vector<std::string>& windowsNames);

private:
    std::filesystem::path folder_;
    std::map<std::string, QPixmap> pictures_;
    std::map<std::string, std::future<QImage>> pending_;
    std::thread worker_;
};

// The pictures a menu script's button keywords name, and the background
// picture: what the settings pass is going to load.
std::vector<std::string> picturesNamedIn(const std::string& scriptBytes);

}  // namespace view
