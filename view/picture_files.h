#pragma once
// Pictures named the Windows way, loaded through Qt's image readers.

#include <QImage>
#include <QPixmap>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "script/windows_path.h"

namespace view {

// Throws script::Failure naming the file: FileNotFound when nothing is there,
// InvalidPicture when it is a folder or no reader can decode it. Relative
// names are taken from `folder`, or from the working folder when it is empty.
QPixmap loadPicture(const std::string& windowsName, const std::filesystem::path& folder = {});
// The same test without making a pixmap, so it needs no application: for the
// dry run, which only asks whether the picture would load.
void requirePicture(const std::string& windowsName, const std::filesystem::path& folder);

// The settings pass loads the same pictures on every one of its runs; this
// decodes each file once and hands out the same picture afterwards. Lives as
// long as one start-up (or one load of the help screen). Relative names are
// taken from the folder it is given, by default the working folder, or found
// by a name finder whose answers it shares.
class PictureFiles {
public:
    explicit PictureFiles(std::filesystem::path folder = {});
    explicit PictureFiles(script::NameFinder& names);
    ~PictureFiles();
    PictureFiles(const PictureFiles&) = delete;
    PictureFiles& operator=(const PictureFiles&) = delete;

    const QPixmap& load(const std::string& windowsName);
    void clear();

    // Starts decoding files that will be asked for soon on a worker thread,
    // so that it overlaps the work before they are needed. A file that cannot
    // be decoded there fails in load(), with the report load() would give.
    void prefetch(const std::vector<std::string>& windowsNames);

    // A file read and decoded, or what is wrong with it.
    struct Decoded;

private:
    // Safe on any thread.
    std::function<script::NameFinder::Found(const std::string&)> find_;
    std::filesystem::path folder_;
    std::map<std::string, QPixmap> pictures_;
    std::map<std::string, std::future<Decoded>> pending_;
    std::thread worker_;
};

// The pictures a menu script's button keywords name, and the background
// picture: what the settings pass is going to load.
std::vector<std::string> picturesNamedIn(const std::string& scriptBytes);

}  // namespace view
