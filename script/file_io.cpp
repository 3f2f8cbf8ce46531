#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "failure.h"

namespace script {

namespace {

FailureKind kindOfErrno(int error) {
    switch (error) {
        case ENOENT: return FailureKind::FileNotFound;
        case ENOTDIR: return FailureKind::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return FailureKind::PermissionDenied;
        case ENOSPC:
        case EDQUOT: return FailureKind::DiskFull;
        default: return FailureKind::DeviceIOError;
    }
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path, std::string_view windowsName) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw Failure(kindOfErrno(errno)).aboutFile(path, windowsName);
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw Failure(FailureKind::FileNotFound, "is a folder").aboutFile(path, windowsName);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            throw Failure(kindOfErrno(error)).aboutFile(path, windowsName);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

void writeFileReplacing(const std::filesystem::path& path, const std::string& bytes,
                        std::string_view windowsName) {
    const std::filesystem::path temporary = path.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        throw Failure(error == ENOENT ? FailureKind::PathNotFound : kindOfErrno(error)).aboutFile(path, windowsName);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            ::unlink(temporary.c_str());
            throw Failure(kindOfErrno(error)).aboutFile(path, windowsName);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw Failure(kindOfErrno(error)).aboutFile(path, windowsName);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw Failure(kindOfErrno(error)).aboutFile(path, windowsName);
    }
}

}  // namespace script
