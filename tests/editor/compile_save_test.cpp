// Compile/Save's files on disk: folders, order, the two clock readings and
// failures that leave the old files as they were.

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

#include "editor/compile_save.h"
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
    switches.fromCheck6(editor::Checked);
    return editor::makeSnapshot(texts, switches);
}

}  // namespace

TEST(CompileSave, CreatesTheFoldersAndShowsTheMessageBetweenTheFiles) {
    TempHome home;
    testing_support::RecordingPlatform platform;
    platform.localTime = std::tm{};
    platform.localTime.tm_sec = 5, platform.localTime.tm_min = 4, platform.localTime.tm_hour = 3;
    platform.localTime.tm_mday = 8, platform.localTime.tm_mon = 11, platform.localTime.tm_year = 126;
    bool shown = false;
    editor::compileAndSave(filledSnapshot(), platform, [&] {
        shown = true;
        EXPECT_TRUE(std::filesystem::exists(home.pod()));
        EXPECT_FALSE(std::filesystem::exists(home.bak()));
        platform.localTime.tm_min = 9;  // the box stayed open for five minutes
    });
    ASSERT_TRUE(shown);
    const std::string pod = readBytes(home.pod()), bak = readBytes(home.bak());
    std::tm first = platform.localTime, second = platform.localTime;
    first.tm_min = 4;
    EXPECT_EQ(pod.substr(0, pod.find("\r\n")), ";Date Compiled-" + script::formatDateTime(first));
    EXPECT_EQ(bak.substr(0, bak.find("\r\n")), ";Date Compiled-" + script::formatDateTime(second));
    EXPECT_NE(first.tm_min, second.tm_min);
    EXPECT_NE(pod.find("TITLE,\"Caf\xE9\"\r\n"), std::string::npos);
    EXPECT_NE(bak.find("BSND,1\r\n"), std::string::npos);
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

TEST(CompileSave, AFailedStateFileKeepsTheOldOneAfterTheNewMenuScript) {
    TempHome home;
    writeBytes(home.bak(), "old state");
    testing_support::RecordingPlatform platform;
    std::optional<FileSizeLimit> full;
    EXPECT_THROW(editor::compileAndSave(filledSnapshot(), platform, [&] { full.emplace(16); }),
                 script::Failure);
    full.reset();
    EXPECT_NE(readBytes(home.pod()).find("TITLE,"), std::string::npos);
    EXPECT_EQ(readBytes(home.bak()), "old state");
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
