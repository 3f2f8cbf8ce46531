#include "editor/save_lock.h"

#include <QSysInfo>
#include <QString>

#include "script/failure.h"
#include "script/windows_path.h"

namespace editor {

SaveLock::SaveLock(const std::filesystem::path& lockFile, const std::filesystem::path& guarded,
                   std::chrono::milliseconds patience) {
    std::error_code error;
    if (!std::filesystem::is_directory(lockFile.parent_path(), error)) return;
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(lockFile.string()));
    // A lock is held only for the moments a save or a load takes; one left by
    // a process that has ended is stale at once, whatever its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(static_cast<int>(patience.count()))) {
        lock_ = std::move(lock);
        return;
    }
    if (lock->error() != QLockFile::LockFailedError) return;

    qint64 pid = 0;
    QString host, application;
    std::string holder = "another process";
    if (lock->getLockInfo(&pid, &host, &application)) {
        holder = (application.isEmpty() ? std::string("a program") : application.toStdString()) + " (process " +
                 std::to_string(pid);
        if (!host.isEmpty() && host != QSysInfo::machineHostName()) holder += " on " + host.toStdString();
        holder += ")";
    }
    throw script::Failure(script::FailureKind::FileInUse, "is being saved or read by " + holder)
        .aboutFile(guarded)
        .withRemedy("try again once it has finished");
}

SaveLock::~SaveLock() = default;

bool SaveLock::held() const { return lock_ != nullptr; }

std::filesystem::path pairLockFile() { return script::mapWindowsPath("c:\\Varno\\.kelo.lock"); }

std::filesystem::path lockFileBeside(const std::filesystem::path& file) {
    return file.parent_path() / ("." + file.filename().string() + ".lock");
}

}  // namespace editor
