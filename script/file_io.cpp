#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "failure.h"

namespace script {

namespace {

FailureKind kindOfErrno(int error) {
    switch (error) {
        case ENOENT: return FailureKind::FileNotFound;
        case ENOTDIR: return FailureKind::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY: return FailureKind::PermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return FailureKind::DiskFull;
        case EISDIR:
        case ELOOP:
        case ENAMETOOLONG: return FailureKind::PathFileAccessError;
        case ENOMEM: return FailureKind::OutOfMemory;
        default: return FailureKind::DeviceIOError;
    }
}

// What a file that is not a plain file is, for the report.
std::string notAPlainFile(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder";
    if (S_ISFIFO(mode)) return "is a pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
    if (S_ISSOCK(mode)) return "is a socket, not a file";
    return "is not a file";
}

std::string megabytes(std::uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MB"; }

[[noreturn]] void tooLarge(std::uint64_t size, const std::filesystem::path& path, std::string_view windowsName) {
    throw Failure(FailureKind::FileTooLarge,
                  "is " + megabytes(size) + ", more than the " + megabytes(kLargestReadableFile) + " it may have")
        .aboutFile(path, windowsName);
}

// The file a name stands for once every symbolic link on the way is followed,
// so that a replaced link keeps pointing where it pointed. A name that does not
// exist yet stands for itself.
std::filesystem::path followLinks(const std::filesystem::path& name, std::string_view windowsName) {
    std::filesystem::path path = name;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) return path;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) throw Failure(kindOfErrno(error.value())).aboutFile(name, windowsName);
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    throw Failure(FailureKind::PathFileAccessError, "is a loop of symbolic links").aboutFile(name, windowsName);
}

// A new, empty file beside `target` that no one else has opened.
int createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0;; ++attempt) {
        temporary = target.parent_path() /
                    ("." + target.filename().string() + "." + std::to_string(random() % 1000000) + ".new");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt == 100) return fd;
    }
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path, std::string_view windowsName) {
    // Without O_NONBLOCK a pipe put where the file belongs would hold the open forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw Failure(kindOfErrno(errno)).aboutFile(path, windowsName);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw Failure(FailureKind::PathFileAccessError, notAPlainFile(info.st_mode)).aboutFile(path, windowsName);
    }
    if (static_cast<std::uint64_t>(info.st_size) > kLargestReadableFile) {
        ::close(fd);
        tooLarge(static_cast<std::uint64_t>(info.st_size), path, windowsName);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            const int error = errno;
            ::close(fd);
            throw Failure(kindOfErrno(error)).aboutFile(path, windowsName);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > kLargestReadableFile) {  // it grew while being read
            ::close(fd);
            tooLarge(bytes.size(), path, windowsName);
        }
    }
    ::close(fd);
    return bytes;
}

std::filesystem::path replaceableFile(const std::filesystem::path& path, std::string_view windowsName) {
    const std::filesystem::path target = followLinks(path, windowsName);
    // Replacing needs only a writable folder; a file the user may not write
    // must stay as it is all the same.
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) return target;
    if (!S_ISREG(old.st_mode)) throw Failure(FailureKind::PathFileAccessError, notAPlainFile(old.st_mode)).aboutFile(path, windowsName);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        const int error = errno;
        throw Failure(kindOfErrno(error), error == EROFS ? "is on a read-only file system" : "is read-only").aboutFile(path, windowsName);
    }
    return target;
}

void writeFileReplacing(const std::filesystem::path& path, const std::string& bytes,
                        std::string_view windowsName) {
    PreparedFile file(path, bytes, windowsName);
    replaceAll(std::span(&file, 1));
}

PreparedFile::PreparedFile(const std::filesystem::path& path, const std::string& bytes,
                           std::string_view windowsName)
    : path_(path), target_(replaceableFile(path, windowsName)), windowsName_(windowsName) {
    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0;

    const int fd = createTemporaryBeside(target_, temporary_);
    if (fd < 0) {
        const int error = errno;
        temporary_.clear();
        throw Failure(error == ENOENT ? FailureKind::PathNotFound : kindOfErrno(error)).aboutFile(path, windowsName);
    }
    auto fail = [&](int error) {
        ::close(fd);
        throw Failure(kindOfErrno(error)).aboutFile(path, windowsName);
    };
    // From here on the destructor does not run: the temporary file is ours to remove.
    try {
        if (replacing) {
            // The new file takes the old one's permissions (and, for root, its owner).
            if (::fchmod(fd, old.st_mode & 07777) != 0) fail(errno);
            if (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0) fail(errno);
        }
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (n < 0) {
                if (errno == EINTR) continue;
                fail(errno);
            }
            written += static_cast<std::size_t>(n);
        }
        if (::fsync(fd) != 0) fail(errno);
        if (::close(fd) != 0) throw Failure(kindOfErrno(errno)).aboutFile(path, windowsName);
    } catch (...) {
        ::unlink(temporary_.c_str());
        throw;
    }
}

PreparedFile::PreparedFile(PreparedFile&& other) noexcept
    : path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      windowsName_(std::move(other.windowsName_)) {}

PreparedFile::~PreparedFile() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void PreparedFile::replace() {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw Failure(kindOfErrno(errno)).aboutFile(path_, windowsName_);
    temporary_.clear();
}

void replaceAll(std::span<PreparedFile> files,
                const std::function<void(const std::filesystem::path&)>& beforeReplacing) {
    // The old content of each file replaced so far, kept under a second name
    // (a hard link: nothing is copied) until all are in place.
    struct Kept {
        std::filesystem::path target, old;  // `old` empty: there was no file
    };
    std::vector<Kept> kept;
    auto forget = [&] {
        for (const Kept& file : kept)
            if (!file.old.empty()) ::unlink(file.old.c_str());
    };
    try {
        for (PreparedFile& file : files) {
            if (beforeReplacing) beforeReplacing(file.path());
            Kept keep{file.target(), {}};
            if (files.size() > 1 && std::filesystem::exists(file.target())) {
                for (int attempt = 0;; ++attempt) {
                    keep.old = file.target().parent_path() /
                               ("." + file.target().filename().string() + "." + std::to_string(attempt) + ".old");
                    if (::link(file.target().c_str(), keep.old.c_str()) == 0) break;
                    if (errno == EEXIST && attempt < 99) continue;
                    // A file system without hard links keeps a copy instead.
                    std::error_code error;
                    if (errno != EEXIST && std::filesystem::copy_file(file.target(), keep.old, error)) break;
                    throw Failure(error ? kindOfErrno(error.value()) : FailureKind::PathFileAccessError)
                        .aboutFile(file.path(), file.windowsName_);
                }
            }
            try {
                file.replace();
            } catch (...) {
                if (!keep.old.empty()) ::unlink(keep.old.c_str());
                throw;
            }
            kept.push_back(keep);
        }
    } catch (...) {
        // The ones replaced so far get their old content back.
        for (const Kept& file : kept) {
            if (file.old.empty()) ::unlink(file.target.c_str());
            else std::rename(file.old.c_str(), file.target.c_str());
        }
        forget();
        throw;
    }
    forget();
}

}  // namespace script
