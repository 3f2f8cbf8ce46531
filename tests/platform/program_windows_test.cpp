// Which window is the started program's, with the command lines and process
// kinship seen when a Windows game runs through Wine on a first start.
#include <gtest/gtest.h>

#include <unistd.h>

#include <map>
#include <string>

#include "platform/program_windows.h"

using platform::notTheProgram;
using platform::runsWineOwnProgram;
using platform::TopLevelFacts;
using platform::windowRank;

namespace {

using namespace std::string_literals;

// /proc's command lines: NUL-ended words, padded with NULs where Wine wrote
// a shorter Windows command line over the loader's.
const std::string kWineboot = "C:\\windows\\system32\\wineboot.exe\0--init\0\0\0\0"s;
const std::string kExplorer = "C:\\windows\\system32\\explorer.exe\0/desktop\0\0\0"s;
const std::string kGame = "/tmp/game/zembrot.exe\0\0\0"s;

class FakeProcesses : public platform::ProcessFacts {
public:
    std::map<pid_t, pid_t> parents;
    std::map<pid_t, std::string> commandLines;

    bool descendsFrom(pid_t pid, pid_t ancestor) override {
        for (auto it = parents.find(pid); it != parents.end(); it = parents.find(it->second))
            if (it->second == ancestor) return true;
        return false;
    }
    std::string commandLine(pid_t pid) override { return commandLines.count(pid) ? commandLines[pid] : ""; }
};

constexpr pid_t kLauncher = 100, kGamePid = 200;

}  // namespace

TEST(ProgramWindowsTest, WineOwnProgramsAreKnownByTheirWindowsFolder) {
    EXPECT_TRUE(runsWineOwnProgram(kWineboot));
    EXPECT_TRUE(runsWineOwnProgram(kExplorer));
    EXPECT_TRUE(runsWineOwnProgram("c:\\Windows\\SysWOW64\\rundll32.exe\0setupapi,InstallHinfSection\0"s));
    EXPECT_TRUE(runsWineOwnProgram("\"C:\\windows\\system32\\services.exe\"\0"s));
    // Before the process has taken over its command line.
    EXPECT_TRUE(runsWineOwnProgram("/usr/lib/wine/wine64\0C:\\windows\\system32\\plugplay.exe\0"s));

    EXPECT_FALSE(runsWineOwnProgram(kGame));
    EXPECT_FALSE(runsWineOwnProgram("/usr/lib/wine/wine64\0/tmp/game/zembrot.exe\0"s));
    EXPECT_FALSE(runsWineOwnProgram("Z:\\tmp\\game\\zembrot2.exe\0"s));
    EXPECT_FALSE(runsWineOwnProgram("C:\\Program Files\\Zembrot\\zembrot.exe\0"s));
    EXPECT_FALSE(runsWineOwnProgram("C:\\windowsgames\\zembrot.exe\0"s));
    // A Windows folder named only as an argument.
    EXPECT_FALSE(runsWineOwnProgram("/tmp/game/zembrot.exe\0C:\\windows\\win.ini\0"s));
    EXPECT_FALSE(runsWineOwnProgram(""));
}

// On a first start Wine's prefix set-up shows its own window, from a process
// that is no kin of the game, long before the game's window comes.
TEST(ProgramWindowsTest, OnAFirstStartOnlyTheGamesOwnWindowCounts) {
    FakeProcesses processes;
    processes.commandLines = {{300, kWineboot}, {301, kExplorer}, {kGamePid, kGame}};
    EXPECT_EQ(windowRank({300, true, {}}, kGamePid, kLauncher, processes), notTheProgram);
    EXPECT_EQ(windowRank({301, true, {}}, kGamePid, kLauncher, processes), notTheProgram);
    EXPECT_EQ(windowRank({kGamePid, true, {}}, kGamePid, kLauncher, processes), 0);

    // Started through a script of its own, the game's Wine still sets up
    // the prefix from a process the script started.
    processes.parents = {{300, kGamePid}, {400, kGamePid}};
    EXPECT_EQ(windowRank({300, true, {}}, kGamePid, kLauncher, processes), notTheProgram);
    EXPECT_EQ(windowRank({400, true, {}}, kGamePid, kLauncher, processes), 1);
}

// With Wine's virtual desktop the program's windows live inside the
// desktop's window, which takes the keys for them.
TEST(ProgramWindowsTest, WinesVirtualDesktopCountsOnceItHoldsTheProgramsWindow) {
    FakeProcesses processes;
    processes.commandLines = {{301, kExplorer}};
    pid_t heldFrom = 0;
    const TopLevelFacts desktop{301, false, [&](pid_t pid) { return pid == heldFrom; }};
    EXPECT_EQ(windowRank(desktop, kGamePid, kLauncher, processes), notTheProgram);
    heldFrom = 999;
    EXPECT_EQ(windowRank(desktop, kGamePid, kLauncher, processes), notTheProgram);
    heldFrom = kGamePid;
    EXPECT_EQ(windowRank(desktop, kGamePid, kLauncher, processes), 0);
}

TEST(ProgramWindowsTest, OtherWindowsRankAsBefore) {
    FakeProcesses processes;
    // A Windows program the game started: Wine starts it apart, no kin.
    processes.commandLines = {{500, "Z:\\tmp\\game\\zembrot2.exe\0"s}};
    EXPECT_EQ(windowRank({500, true, {}}, kGamePid, kLauncher, processes), 2);
    EXPECT_EQ(windowRank({500, false, {}}, kGamePid, kLauncher, processes), notTheProgram);
    // A window that does not say whose it is.
    EXPECT_EQ(windowRank({0, true, {}}, kGamePid, kLauncher, processes), 2);
    EXPECT_EQ(windowRank({0, false, {}}, kGamePid, kLauncher, processes), notTheProgram);
    // Ours never, also when the game was started by a program of ours.
    processes.parents = {{kLauncher, kGamePid}};
    EXPECT_EQ(windowRank({kLauncher, true, {}}, kGamePid, kLauncher, processes), notTheProgram);
}

TEST(ProgramWindowsTest, RunningProcessesAreReadFromProc) {
    platform::RunningProcesses processes;
    EXPECT_TRUE(processes.descendsFrom(getpid(), getppid()));
    EXPECT_FALSE(processes.descendsFrom(getppid(), getpid()));
    const std::string own = processes.commandLine(getpid());
    EXPECT_NE(own.find("platform_logic_tests"), std::string::npos) << own;
    EXPECT_FALSE(runsWineOwnProgram(own));
}

namespace {

TopLevelFacts window(unsigned long id, pid_t pid, bool isNew, bool ours = false) {
    return {pid, isNew, {}, id, ours};
}

}  // namespace

// A program that says nothing of its process (plain Xlib, older toolkits)
// is known by its window being new; the surer ranks still win, and the
// launcher's own new windows never count.
TEST(ProgramWindowsTest, TheProgramsWindowIsTheSurestNewOneNotOurs) {
    using platform::programWindow;
    FakeProcesses processes;
    processes.parents = {{kGamePid + 1, kGamePid}};
    // The topmost first: our message box, an older window, the game's.
    EXPECT_EQ(programWindow({window(1, 0, true, true), window(2, 0, false), window(3, 0, true)}, 0, kGamePid,
                            kLauncher, processes),
              3u);
    EXPECT_EQ(programWindow({window(1, kLauncher, true), window(2, 0, false)}, 0, kGamePid, kLauncher, processes),
              0u);
    // A window of the game's child beats an unnamed new one; the game's own beats both.
    EXPECT_EQ(programWindow({window(4, 0, true), window(5, kGamePid + 1, true)}, 0, kGamePid, kLauncher, processes),
              5u);
    EXPECT_EQ(programWindow({window(4, 0, true), window(5, kGamePid + 1, true), window(6, kGamePid, false)}, 0,
                            kGamePid, kLauncher, processes),
              6u);
    // Among equals the one chosen before stays, else the topmost.
    EXPECT_EQ(programWindow({window(7, 0, true), window(8, 0, true)}, 0, kGamePid, kLauncher, processes), 7u);
    EXPECT_EQ(programWindow({window(7, 0, true), window(8, 0, true)}, 8, kGamePid, kLauncher, processes), 8u);
}
