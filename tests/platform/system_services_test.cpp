// Path existence and program start with real files and processes.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/process_environment.h"
#include "script/failure.h"

namespace fs = std::filesystem;

namespace {

class SystemServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("platform-services-" + std::to_string(getpid()));
        fs::create_directories(folder / "tools");
        fs::create_directories(folder / "basics");
        // The test programs' few commands, and nothing else of the machine's
        // (an installed wine would change what a Windows program does).
        for (const char* command : {"env", "mv", "sleep"})
            for (const char* bin : {"/usr/bin/", "/bin/"})
                if (fs::exists(std::string(bin) + command) && !fs::exists(folder / "basics" / command))
                    fs::create_symlink(std::string(bin) + command, folder / "basics" / command);
        previous = fs::current_path();
        fs::current_path(folder);
        oldPath = std::getenv("PATH");
        setenv("PATH", ((folder / "tools").string() + ":" + (folder / "basics").string()).c_str(), 1);
        platform = platform::createLinuxPlatform();
    }
    void TearDown() override {
        for (int pid : started) kill(pid, SIGKILL);
        setenv("PATH", oldPath.c_str(), 1);
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    // A program that notes its arguments and its pid, then stays running.
    void writeProgram(const fs::path& file) {
        std::ofstream out(file);
        out << "#!/bin/sh\necho \"$@\" > \"" << (folder / "args").string() << ".tmp\"\n"
            << "echo $$ >> \"" << (folder / "args").string() << ".tmp\"\n"
            << "mv \"" << (folder / "args").string() << ".tmp\" \"" << (folder / "args").string() << "\"\n"
            << "exec sleep 30\n";
        out.close();
        fs::permissions(file, fs::perms::owner_all);
    }
    // The started program's arguments; empty if it never ran.
    std::string startedArguments() {
        for (int i = 0; i < 100 && !fs::exists(folder / "args"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(folder / "args");
        std::string arguments, pid;
        std::getline(in, arguments);
        if (std::getline(in, pid) && !pid.empty()) started.push_back(std::stoi(pid));
        return fs::exists(folder / "args") ? arguments : "<not started>";
    }
    void expectFileNotFound(const std::string& program) {
        try {
            platform->StartProgram(program);
            ADD_FAILURE() << "started: " << program;
        } catch (const script::Failure& failure) {
            EXPECT_EQ(failure.kind(), script::FailureKind::FileNotFound);
            EXPECT_NE(failure.report().find(program), std::string::npos) << failure.report();
        }
    }

    fs::path folder, previous;
    std::string oldPath;
    std::vector<int> started;
    std::unique_ptr<platform::Platform> platform;
};

}  // namespace

TEST_F(SystemServicesTest, ExistenceFollowsThePathMappingForFilesAndFolders) {
    fs::create_directories("Data");
    std::ofstream("Data/test.avi") << "x";
    EXPECT_EQ(platform->PathFileExistsA("data\\test.avi"), 1);
    EXPECT_EQ(platform->PathFileExistsA("DATA"), 1);
    EXPECT_EQ(platform->PathFileExistsA("data\\logo.bmp"), 0);
    EXPECT_EQ(platform->PathFileExistsA(""), 0);
}

TEST_F(SystemServicesTest, ProgramStartsFromTheWorkingFolderWithoutWaiting) {
    writeProgram("zembrot.exe");
    const auto start = std::chrono::steady_clock::now();
    platform->StartProgram("zembrot.exe");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));  // not the program's 30 s
    EXPECT_EQ(startedArguments(), "");
}

TEST_F(SystemServicesTest, WindowsExecutableRunsThroughWine) {
    writeProgram("tools/wine");
    std::ofstream("Game.exe") << "MZ\x90";
    platform->StartProgram("game.exe");
    EXPECT_EQ(startedArguments(), (folder / "Game.exe").string());
}

TEST_F(SystemServicesTest, ProgramThatCannotStartIsFileNotFoundNamingIt) {
    expectFileNotFound("zembrot.exe");
    std::ofstream("notes.exe") << "text";  // not executable
    expectFileNotFound("notes.exe");
}

TEST_F(SystemServicesTest, AWindowsProgramWithoutWineSaysWineIsNeeded) {
    std::ofstream("plain.exe") << "MZ\x90";
    fs::permissions("plain.exe", fs::perms::owner_all);
    try {
        platform->StartProgram("plain.exe");
        ADD_FAILURE() << "started without wine";
    } catch (const script::Failure& failure) {
        EXPECT_NE(failure.report().find("plain.exe"), std::string::npos) << failure.report();
        EXPECT_NE(failure.report().find("Wine"), std::string::npos) << failure.report();
    }
}

TEST_F(SystemServicesTest, TextEditorIsTheDesktopOpenerWithTheMappedFile) {
    writeProgram("tools/xdg-open");
    const fs::path home = folder / "home";
    fs::create_directories(home / "Varno" / "Data");
    std::ofstream(home / "Varno" / "Data" / "kelo.pod") << "TITLE,\"x\"\r\n";
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    platform->OpenInTextEditor("\\Varno\\Data\\kelo.pod", [](const script::Failure& failure) {
        ADD_FAILURE() << failure.report();
    });
    EXPECT_EQ(startedArguments(), (home / "Varno" / "Data" / "kelo.pod").string());
    setenv("HOME", oldHome.c_str(), 1);
}

// xdg-open ends with 3 or 4 when it found no application it could start.
TEST_F(SystemServicesTest, AnOpenerThatFindsNoEditorIsReportedNamingTheFile) {
    std::ofstream opener("tools/xdg-open");
    opener << "#!/bin/sh\nexit 4\n";
    opener.close();
    fs::permissions("tools/xdg-open", fs::perms::owner_all);
    int argc = 1;
    char name[] = "platform_logic_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication loop(argc, argv);  // the opener's end arrives as an event
    std::optional<std::string> report;
    platform->OpenInTextEditor("notes.pod", [&](const script::Failure& failure) { report = failure.report(); });
    for (int i = 0; i < 1000 && !report; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("notes.pod"), std::string::npos) << *report;
    EXPECT_NE(report->find("exit status 4"), std::string::npos) << *report;
}

// Our own process is told there is no session bus; the game is not.
TEST_F(SystemServicesTest, StartedProgramsGetTheEnvironmentTheProgramWasGiven) {
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);  // no bus socket in it
    setenv("GIVEN_TO_THE_LAUNCHER", "yes", 1);
    platform::skipSessionBusAutolaunch();
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
    setenv("QT_QPA_PLATFORM", "set-by-the-launcher", 1);

    std::ofstream script("zembrot.exe");
    script << "#!/bin/sh\nenv > env.tmp\nmv env.tmp env\n";
    script.close();
    fs::permissions("zembrot.exe", fs::perms::owner_all);
    platform->StartProgram("zembrot.exe");
    for (int i = 0; i < 100 && !fs::exists("env"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in("env");
    const std::string environment((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(environment.find("GIVEN_TO_THE_LAUNCHER=yes\n"), std::string::npos) << environment;
    EXPECT_EQ(environment.find("DBUS_SESSION_BUS_ADDRESS"), std::string::npos);
    EXPECT_EQ(environment.find("set-by-the-launcher"), std::string::npos);
}

TEST_F(SystemServicesTest, WindowsProgramWithoutWineSaysWineIsNeeded) {
    std::ofstream("zembrot.exe") << "MZ\x90";
    fs::permissions("zembrot.exe", fs::perms::owner_all);
    setenv("PATH", (folder / "tools").c_str(), 1);  // no wine anywhere
    try {
        platform->StartProgram("zembrot.exe");
        ADD_FAILURE() << "started";
    } catch (const script::Failure& failure) {
        EXPECT_NE(failure.report().find("zembrot.exe is a Windows program; install Wine to run it"),
                  std::string::npos)
            << failure.report();
        EXPECT_EQ(failure.report().find("File not found"), std::string::npos);
    }
}
