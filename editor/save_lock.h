#pragma once
// One editor at a time reads or replaces a set of files: a lock file beside
// them, held for as long as the object lives. Another editor, or another
// window, that wants the same files waits a moment and then says who holds them.

#include <QLockFile>
#include <chrono>
#include <filesystem>
#include <memory>

namespace editor {

inline constexpr std::chrono::milliseconds kLockPatience{2000};

class SaveLock {
public:
    // Takes the lock `lockFile` on behalf of `guarded` (the file a report
    // names). Throws script::Failure(FileInUse) naming the process that holds
    // it once `patience` has passed. A folder that does not exist yet, or in
    // which no lock file can be made, is not locked: the reads and writes
    // that follow report what is wrong there.
    SaveLock(const std::filesystem::path& lockFile, const std::filesystem::path& guarded,
             std::chrono::milliseconds patience = kLockPatience);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    bool held() const;

private:
    std::unique_ptr<QLockFile> lock_;
};

// The lock of the pair Compile/Save writes and Load Data reads.
std::filesystem::path pairLockFile();
// The lock of a single file: a hidden file beside it.
std::filesystem::path lockFileBeside(const std::filesystem::path& file);

}  // namespace editor
