// Compile/Save's files on disk: folders, order, the two clock readings and
// failures that leave the old files as they were.

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#include <QLockFile>
#include <optional>

#include "editor/compile_save.h"
#include "editor/save_lock.h"
#include "editor_test_support.h"
#include "recording_platform.h"
#include "script/failure.h"

using namespace editor_testing;

namespace {

// Makes every further write beyond `bytes` fail, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

script::EditorSnapshot filledSnapshot() {
    std::array<std::string, 32> texts;
    for (int n = 1; n <= 31; ++n) texts[n] = "v" + std::to_string(n);
    texts[3] = "Caf\xC3\xA9";  // é, one byte in Windows-1252
    editor::SwitchVariables switches;
    switches.fromCheck(6, editor::Checked);
    return editor::makeSnapshot(texts, switches);
}

}  // namespace

TEST(CompileSave, CreatesTheFoldersAndShowsTheMessageOnceBothFilesAreInPlace) {
    TempHome home;
    testing_support::RecordingPlatform platform;
    platform.localTime = std::tm{};
    platform.localTime.tm_sec = 5, platform.localTime.tm_min = 4, platform.localTime.tm_hour = 3;
    platform.localTime.tm_mday = 8, platform.localTime.tm_mon = 11, platform.localTime.tm_year = 126;
    bool shown = false;
    editor::SaveSeams seams;
    // The clock moves on between the two files: each reads it for its own head.
    seams.beforePreparing = [&](const std::filesystem::path& file) {
        if (file == home.bak()) platform.localTime.tm_sec = 6;
    };
    editor::compileAndSave(filledSnapshot(), platform, [&] {
        shown = true;
        EXPECT_NE(readBytes(home.pod()).find("TITLE,"), std::string::npos);
        EXPECT_NE(readBytes(home.bak()).find("TITLE,"), std::string::npos);
    }, seams);
    ASSERT_TRUE(shown);
    const std::string pod = readBytes(home.pod()), bak = readBytes(home.bak());
    std::tm first = platform.localTime, second = platform.localTime;
    first.tm_sec = 5;
    EXPECT_EQ(pod.substr(0, pod.find("\r\n")), ";Date Compiled-" + script::formatDateTime(first));
    EXPECT_EQ(bak.substr(0, bak.find("\r\n")), ";Date Compiled-" + script::formatDateTime(second));
    EXPECT_NE(pod.find("TITLE,\"Caf\xE9\"\r\n"), std::string::npos);
    EXPECT_NE(bak.find("BSND,1\r\n"), std::string::npos);
    // Nothing is left beside them but the lock.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.pod().parent_path()), {}), 1);
}

TEST(CompileSave, AFailedMenuScriptLeavesBothOldFilesAndShowsNoMessage) {
    TempHome home;
    writeBytes(home.pod(), "old script");
    writeBytes(home.bak(), "old state");
    testing_support::RecordingPlatform platform;
    bool shown = false;
    try {
        FileSizeLimit full(16);
        editor::compileAndSave(filledSnapshot(), platform, [&] { shown = true; });
        FAIL() << "the write should fail";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.file().shown, "~/Varno/Data/kelo.pod") << failure.report();
    }
    EXPECT_FALSE(shown);
    EXPECT_EQ(readBytes(home.pod()), "old script");
    EXPECT_EQ(readBytes(home.bak()), "old state");
    EXPECT_EQ(std::filesystem::directory_iterator(home.pod().parent_path())->path(), home.pod());
}

TEST(CompileSave, ADiskThatFillsBeforeTheStateFileLeavesBothOldFiles) {
    TempHome home;
    writeBytes(home.pod(), "old script");
    writeBytes(home.bak(), "old state");
    testing_support::RecordingPlatform platform;
    std::optional<FileSizeLimit> full;
    editor::SaveSeams seams;
    seams.beforePreparing = [&](const std::filesystem::path& file) {
        if (file == home.bak()) full.emplace(16);
    };
    bool shown = false;
    try {
        editor::compileAndSave(filledSnapshot(), platform, [&] { shown = true; }, seams);
        FAIL() << "the state file should not fit";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.report().rfind("Disk full: ~/Varno/kelo.bak", 0), 0u) << failure.report();
    }
    full.reset();
    EXPECT_FALSE(shown);
    EXPECT_EQ(readBytes(home.pod()), "old script");
    EXPECT_EQ(readBytes(home.bak()), "old state");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.pod().parent_path()), {}), 1);
}

TEST(CompileSave, AStateFileThatCannotReplaceItsOldOnePutsTheOldScriptBack) {
    for (const bool hadScript : {true, false}) {
        TempHome home;
        if (hadScript) writeBytes(home.pod(), "old script");
        writeBytes(home.bak(), "old state");
        testing_support::RecordingPlatform platform;
        editor::SaveSeams seams;
        seams.beforeReplacing = [&](const std::filesystem::path& file) {
            if (file == home.bak()) throw script::Failure(script::FailureKind::DeviceIOError).aboutFile(file);
        };
        bool shown = false;
        EXPECT_THROW(editor::compileAndSave(filledSnapshot(), platform, [&] { shown = true; }, seams),
                     script::Failure);
        EXPECT_FALSE(shown);
        EXPECT_EQ(std::filesystem::exists(home.pod()), hadScript);
        if (hadScript) {
            EXPECT_EQ(readBytes(home.pod()), "old script");
        }
        EXPECT_EQ(readBytes(home.bak()), "old state");
        for (const auto& folder : {home.pod().parent_path(), home.bak().parent_path()})
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                EXPECT_TRUE(entry.path().filename() == "kelo.pod" || entry.path().filename() == "kelo.bak" ||
                            entry.path().filename() == "Data" || entry.path().filename() == ".kelo.lock")
                    << entry.path();
    }
}

TEST(CompileSave, ASecondEditorWaitsAndThenNamesTheProcessHoldingThePair) {
    TempHome home;
    std::filesystem::create_directories(home.pod().parent_path());
    testing_support::RecordingPlatform platform;
    const auto lockFile = editor::pairLockFile();
    LockHolder holder(lockFile);
    try {
        const editor::SaveLock lock(lockFile, home.bak(), std::chrono::milliseconds(50));
        FAIL() << "the lock is held";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.kind(), script::FailureKind::FileInUse);
        EXPECT_NE(failure.report().find("~/Varno/kelo.bak is being saved or read by "), std::string::npos)
            << failure.report();
        EXPECT_NE(failure.report().find("(process " + std::to_string(holder.pid()) + ")"), std::string::npos)
            << failure.report();
    }
    // Once the holder is gone its lock counts for nothing.
    holder.end();
    bool shown = false;
    editor::compileAndSave(filledSnapshot(), platform, [&] { shown = true; });
    EXPECT_TRUE(shown);
}

TEST(CompileSave, TwoEditorsSavingAtOnceAlwaysLeaveAMatchingPair) {
    TempHome home;
    auto snapshotTitled = [](const std::string& title) {
        script::EditorSnapshot snapshot = filledSnapshot();
        snapshot.text[3] = title;
        return snapshot;
    };
    // Moments of random length before each file is put in place let the saves
    // overlap in every order; both start together.
    editor::SaveSeams slowly;
    slowly.beforeReplacing = [](const std::filesystem::path&) { ::usleep(static_cast<useconds_t>(::random() % 30000)); };
    for (int round = 0; round < 12; ++round) {
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        auto other = testing_support::ChildProcess::forked([&] {
            char go;
            ::srandom(static_cast<unsigned>(::getpid()));
            if (::read(start[0], &go, 1) != 1) return 1;
            testing_support::RecordingPlatform platform;
            editor::compileAndSave(snapshotTitled("other"), platform, [] {}, slowly);
            return 0;
        });
        testing_support::RecordingPlatform platform;
        ASSERT_EQ(::write(start[1], "g", 1), 1);
        editor::compileAndSave(snapshotTitled("this"), platform, [] {}, slowly);
        ::close(start[0]);
        ::close(start[1]);
        ASSERT_EQ(other.waitForExit(std::chrono::seconds(30)), 0);
        const bool podFromThis = readBytes(home.pod()).find("TITLE,\"this\"") != std::string::npos;
        const bool bakFromThis = readBytes(home.bak()).find("TITLE,\"this\"") != std::string::npos;
        EXPECT_EQ(podFromThis, bakFromThis) << "round " << round;
    }
}

TEST(CompileSave, AFolderThatCannotBeMadeIsReportedWithItsPath) {
    TempHome home;
    writeBytes(home.path() / "Varno", "a file where the folder belongs");
    testing_support::RecordingPlatform platform;
    try {
        editor::compileAndSave(filledSnapshot(), platform, [] {});
        FAIL();
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.report().find("Path not found: ~/Varno/Data cannot be made: "), 0u) << failure.report();
    }
}
