#include "view/picture_files.h"

#include <QFile>
#include <QImageReader>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "menu/screen_look.h"
#include "script/failure.h"
#include "script/keyword_table.h"
#include "script/reading_rule.h"
#include "script/untyped.h"
#include "script/windows_path.h"

namespace view {

struct PictureFiles::Decoded {
    std::filesystem::path path;
    QImage image;
    script::FailureKind failure = script::FailureKind::InvalidPicture;
    std::string detail;
};

namespace {

using Decoded = PictureFiles::Decoded;

// The format a picture announces in its first bytes, so that only its own
// reader is asked (asking every reader to look loads all the image plugins).
// Empty when the bytes name none of these: then the readers decide.
QByteArray formatFromFirstBytes(const QByteArray& head) {
    const auto startsWith = [&head](const char* magic, qsizetype length) {
        return head.size() >= length && std::memcmp(head.constData(), magic, static_cast<std::size_t>(length)) == 0;
    };
    if (startsWith("BM", 2)) return "bmp";
    if (startsWith("\x89PNG\r\n\x1a\n", 8)) return "png";
    if (startsWith("\xff\xd8\xff", 3)) return "jpeg";
    if (startsWith("GIF87a", 6) || startsWith("GIF89a", 6)) return "gif";
    if (startsWith("\0\0\1\0", 4)) return "ico";
    return {};
}

// A picture whose header is sound but whose pixels would take more memory
// than the readers allow is refused by them with no word about why: say so.
std::string beyondDecodingLimit(QImageReader& reader) {
    const QSize size = reader.size();
    const int limit = QImageReader::allocationLimit();  // MB; 0: none
    if (!size.isValid() || limit <= 0) return {};
    const double megabytes = double(size.width()) * size.height() * 4 / (1024.0 * 1024.0);
    if (megabytes <= limit) return {};
    return "is " + std::to_string(size.width()) + " \u00d7 " + std::to_string(size.height()) +
           " pixels, which take " + std::to_string(static_cast<long long>(std::ceil(megabytes))) +
           " MB to decode, more than the " + std::to_string(limit) + " MB a picture may take";
}

// Where a name leads when every question about it is asked afresh.
script::NameFinder::Found findAfresh(const std::string& windowsName, const std::filesystem::path& folder) {
    script::NameFinder::Found found;
    found.path = folder.empty() ? script::mapWindowsPath(windowsName) : script::mapWindowsPath(windowsName, folder);
    found.kind = script::systemFileQueries().kindOf(found.path);
    return found;
}

// Safe on any thread: no pixmaps, no windows.
Decoded decode(const script::NameFinder::Found& found) {
    using Kind = script::FileQueries::Kind;
    if (found.kind == Kind::Missing) return {found.path, {}, script::FailureKind::FileNotFound, {}};
    if (found.kind == Kind::Folder) return {found.path, {}, script::FailureKind::InvalidPicture, "is a folder"};
    Decoded result;
    result.path = found.path;
    QFile file(QString::fromStdString(found.path.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        result.detail = "cannot be read as a picture: " + file.errorString().toLower().toStdString();
        return result;
    }
    const QByteArray format = formatFromFirstBytes(file.peek(8));
    QImageReader reader(&file, format);
    if (format.isEmpty()) reader.setDecideFormatFromContent(true);
    else reader.setAutoDetectImageFormat(false);
    if (const std::string limit = beyondDecodingLimit(reader); !limit.empty()) {
        result.detail = limit;
        return result;
    }
    result.image = reader.read();
    if (result.image.isNull())
        result.detail = "cannot be read as a picture: " + reader.errorString().toLower().toStdString();
    return result;
}

QImage toImage(Decoded decoded, const std::string& windowsName, const std::filesystem::path& folder) {
    if (decoded.image.isNull())
        throw script::Failure(decoded.failure, decoded.detail)
            .aboutFile(script::nameOnThisSystem(decoded.path, windowsName, folder));
    return std::move(decoded.image);
}

QPixmap toPixmap(Decoded decoded, const std::string& windowsName, const std::filesystem::path& folder) {
    return QPixmap::fromImage(toImage(std::move(decoded), windowsName, folder));
}

}  // namespace

QPixmap loadPicture(const std::string& windowsName, const std::filesystem::path& folder) {
    return toPixmap(decode(findAfresh(windowsName, folder)), windowsName, folder);
}

void requirePicture(const std::string& windowsName, const std::filesystem::path& folder) {
    toImage(decode(findAfresh(windowsName, folder)), windowsName, folder);
}

PictureFiles::PictureFiles(std::filesystem::path folder)
    : find_([folder](const std::string& name) { return findAfresh(name, folder); }), folder_(std::move(folder)) {}

PictureFiles::PictureFiles(script::NameFinder& names)
    : find_([&names](const std::string& name) { return names.find(name); }), folder_(names.base()) {}

PictureFiles::~PictureFiles() { clear(); }

void PictureFiles::clear() {
    if (worker_.joinable()) worker_.join();
    pending_.clear();
    pictures_.clear();
}

void PictureFiles::prefetch(const std::vector<std::string>& windowsNames) {
    if (worker_.joinable()) worker_.join();
    std::vector<std::packaged_task<Decoded()>> tasks;
    for (const std::string& name : windowsNames) {
        if (pictures_.count(name) || pending_.count(name)) continue;
        tasks.emplace_back([this, name] { return decode(find_(name)); });
        pending_.emplace(name, tasks.back().get_future());
    }
    if (tasks.empty()) return;
    worker_ = std::thread([tasks = std::move(tasks)]() mutable {
        for (auto& task : tasks) task();
    });
}

const QPixmap& PictureFiles::load(const std::string& windowsName) {
    if (auto found = pictures_.find(windowsName); found != pictures_.end()) return found->second;
    Decoded decoded;
    if (auto pending = pending_.find(windowsName); pending != pending_.end()) {
        decoded = pending->second.get();
        pending_.erase(pending);
    } else {
        decoded = decode(find_(windowsName));
    }
    return pictures_.emplace(windowsName, toPixmap(std::move(decoded), windowsName, folder_)).first->second;
}

std::vector<std::string> picturesNamedIn(const std::string& scriptBytes) {
    std::vector<std::string> names{menu::ScreenLook::kBackgroundPicture};
    script::FieldReader reader(scriptBytes, {});
    try {
        while (!reader.atEnd()) {
            const script::Record record = script::readRecord(reader, script::launcherKeywords());
            if (record.kind != script::Record::Kind::Matched) continue;
            if (record.info->names != script::NamedFile::Picture) continue;
            const script::Untyped value = script::Untyped::fromField(record.values.at(0));
            if (script::namesPicture(value)) names.push_back(value.asText());
        }
    } catch (const script::Failure&) {
        // The start-up itself reports what is wrong with the script.
    }
    return names;
}

}  // namespace view
