// Starting, watching and ending programs the way the tests, the benchmarks
// and the demo do, with real programs.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "child_process.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ChildProcess;
using testing_support::Command;
using testing_support::Output;

Command shell(const std::string& script) { return {.arguments = {"/bin/sh", "-c", script}}; }

// Gone, or a zombie its new parent has not reaped yet.
bool ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto after = text.rfind(") ");
    return after == std::string::npos || text[after + 2] == 'Z';
}

bool endsWithin(pid_t pid, std::chrono::milliseconds timeout) {
    for (const auto deadline = std::chrono::steady_clock::now() + timeout;; std::this_thread::sleep_for(10ms)) {
        if (ended(pid)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
}

struct TemporaryFolder {
    fs::path path = fs::temp_directory_path() / ("child-process-" + std::to_string(getpid()));
    TemporaryFolder() { fs::create_directories(path); }
    ~TemporaryFolder() { fs::remove_all(path); }
};

TEST(ChildProcess, RunsInItsFolderWithItsEnvironmentAndReportsItsExitCode) {
    TemporaryFolder folder;
    setenv("CHILD_PROCESS_DROPPED", "inherited", 1);
    Command command = shell("pwd; echo \"$CHILD_PROCESS_ADDED|${CHILD_PROCESS_DROPPED-unset}|$HOME\"; echo oops >&2; exit 3");
    command.folder = folder.path;
    command.environment = {{"CHILD_PROCESS_ADDED", "added"}, {"CHILD_PROCESS_DROPPED", std::nullopt}};
    command.out = command.err = Output::capture();
    ChildProcess child(command);
    unsetenv("CHILD_PROCESS_DROPPED");
    EXPECT_EQ(child.waitForExit(10s), 3);
    EXPECT_EQ(child.output(), fs::canonical(folder.path).string() + "\nadded|unset|" + std::getenv("HOME") + "\n");
    EXPECT_EQ(child.errors(), "oops\n");
}

TEST(ChildProcess, OutputGoesToFilesOrNowhereAndALongOutputDoesNotStallIt) {
    TemporaryFolder folder;
    const fs::path file = folder.path / "out.txt";
    std::ofstream(file) << "left from before, and longer than what comes\n";
    Command quiet = shell("echo written; echo hidden >&2");
    quiet.out = Output::toFile(file);
    quiet.err = Output::discard();
    ChildProcess toFile(quiet);
    EXPECT_EQ(toFile.waitForExit(10s), 0);
    EXPECT_EQ(testing_support::readFile(file), "written\n");

    Command both = shell("echo one; echo two >&2; echo three");
    both.out = Output::toFile(file);
    both.err = Output::sameAsOut();
    ChildProcess together(both);
    EXPECT_EQ(together.waitForExit(10s), 0);
    EXPECT_EQ(testing_support::readFile(file), "one\ntwo\nthree\n");

    // Far more than a pipe holds: it only ends if the output is read while waiting.
    Command loud = shell("head -c 1000000 /dev/zero");
    loud.out = Output::capture();
    ChildProcess lots(loud);
    EXPECT_EQ(lots.waitForExit(20s), 0);
    EXPECT_EQ(lots.output().size(), 1000000u);
}

TEST(ChildProcess, LinesArriveAsTheyAreWrittenAndInputReachesIt) {
    auto cat = ChildProcess({.arguments = {"cat"}, .out = Output::capture(), .input = true});
    std::string line;
    EXPECT_FALSE(cat.readLine(line, 50ms));
    ASSERT_TRUE(cat.writeInput("one\ntw"));
    EXPECT_TRUE(cat.readLine(line, 10s));
    EXPECT_EQ(line, "one");
    EXPECT_FALSE(cat.readLine(line, 50ms)) << "half a line is no line";
    ASSERT_TRUE(cat.writeInput("o\nthree\n"));
    EXPECT_EQ(cat.linesFor(300ms), (std::vector<std::string>{"two", "three"}));
    cat.closeInput();
    EXPECT_EQ(cat.waitForExit(10s), 0);
}

TEST(ChildProcess, WritingToAProgramThatHasEndedFailsWithoutEndingTheTest) {
    auto gone = ChildProcess({.arguments = {"true"}, .input = true});
    ASSERT_EQ(gone.waitForExit(10s), 0);
    EXPECT_FALSE(gone.writeInput(std::string(100000, 'x')));
}

TEST(ChildProcess, WaitingEndsAtItsTimeoutAndASignalCountsAbove128) {
    auto sleeper = ChildProcess({.arguments = {"sleep", "30"}});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sleeper.waitForExit(100ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_TRUE(sleeper.running());
    ::kill(sleeper.pid(), SIGKILL);
    EXPECT_EQ(sleeper.waitForExit(10s), 128 + SIGKILL);
    EXPECT_FALSE(sleeper.running());
}

TEST(ChildProcess, EndingItEndsWhatItStartedAndOneThatIgnoresTermination) {
    pid_t grandchild = -1;
    {
        // The program ignores SIGTERM; what it started keeps its group.
        Command stubborn = shell("trap '' TERM; sleep 60 & echo $!; wait");
        stubborn.out = Output::capture();
        ChildProcess child(stubborn);
        std::string line;
        ASSERT_TRUE(child.readLine(line, 10s));
        grandchild = std::stoi(line);
        EXPECT_FALSE(ended(grandchild));
        const auto start = std::chrono::steady_clock::now();
        child.terminate(200ms);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
        EXPECT_FALSE(child.running());
    }
    EXPECT_TRUE(endsWithin(grandchild, 10s));

    pid_t leftBehind = -1;
    {
        // The program exits at once; the program it left running still goes.
        Command quick = shell("sleep 60 & echo $!");
        quick.out = Output::capture();
        ChildProcess child(quick);
        std::string line;
        ASSERT_TRUE(child.readLine(line, 10s));
        leftBehind = std::stoi(line);
        EXPECT_EQ(child.waitForExit(10s), 0);
        EXPECT_FALSE(ended(leftBehind));
    }
    EXPECT_TRUE(endsWithin(leftBehind, 10s));
}

TEST(ChildProcess, AProgramDiesWithTheProcessThatStartedIt) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    // A stand-in for a test killed half-way, whose destructors never run.
    auto starter = ChildProcess::forked([&] {
        ChildProcess sleeper({.arguments = {"sleep", "60"}});
        const pid_t pid = sleeper.pid();
        if (write(fds[1], &pid, sizeof pid) != sizeof pid) return 1;
        pause();
        return 0;
    });
    pid_t sleeper = -1;
    ASSERT_EQ(read(fds[0], &sleeper, sizeof sleeper), static_cast<ssize_t>(sizeof sleeper));
    close(fds[0]);
    close(fds[1]);
    EXPECT_FALSE(ended(sleeper));
    starter.kill();  // its own group only: the sleeper has one of its own
    EXPECT_TRUE(endsWithin(sleeper, 10s));
}

TEST(ChildProcess, AProgramThatCannotStartIsNamed) {
    try {
        ChildProcess missing({.arguments = {"/nonexistent/program", "x"}});
        FAIL() << "started";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/program"), std::string::npos) << error.what();
    }
    TemporaryFolder folder;
    EXPECT_THROW(ChildProcess("true", folder.path / "missing"), std::runtime_error);
}

TEST(ChildProcess, AForkedCopyExitsWithWhatItsBodyReturns) {
    auto copy = ChildProcess::forked([] { return 7; });
    EXPECT_EQ(copy.waitForExit(10s), 7);
    auto throwing = ChildProcess::forked([]() -> int { throw std::runtime_error("x"); });
    EXPECT_EQ(throwing.waitForExit(10s), 1);
    auto hanging = ChildProcess::forked([] {
        pause();
        return 0;
    });
    auto moved = std::move(hanging);
    EXPECT_TRUE(moved.running());
    moved.kill();
    EXPECT_EQ(moved.waitForExit(0ms), 128 + SIGKILL);
}

}  // namespace
