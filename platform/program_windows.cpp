#include "platform/program_windows.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace platform {

namespace {

bool startsWithFolded(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string fileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// Wine's loader starts every Windows process; until the process has taken
// over its command line the loader's name comes first.
bool isWineLoader(const std::string& word) {
    const std::string name = fileName(word);
    return name == "wine" || name == "wine64" || name == "wine-preloader" || name == "wine64-preloader";
}

std::map<pid_t, pid_t> parentsOfProcesses() {
    std::map<pid_t, pid_t> parents;
    DIR* proc = opendir("/proc");
    if (!proc) return parents;
    while (dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end) continue;
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // The command name in brackets may hold blanks and brackets itself.
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(line.substr(close + 1));
        char state = 0;
        long parent = 0;
        if (rest >> state >> parent) parents[static_cast<pid_t>(pid)] = static_cast<pid_t>(parent);
    }
    closedir(proc);
    return parents;
}

}  // namespace

bool runsWineOwnProgram(const std::string& commandLine) {
    std::istringstream words(commandLine);
    std::string program;
    std::getline(words, program, '\0');
    if (isWineLoader(program)) std::getline(words, program, '\0');
    if (!program.empty() && program.front() == '"') program.erase(0, 1);
    // Wine's Windows folder is always C:\windows, whatever the prefix.
    return startsWithFolded(program, "C:\\windows\\");
}

bool RunningProcesses::descendsFrom(pid_t pid, pid_t ancestor) {
    if (!parents_) parents_ = parentsOfProcesses();
    for (int depth = 0; depth < 64 && pid > 1; ++depth) {
        const auto parent = parents_->find(pid);
        if (parent == parents_->end()) return false;
        pid = parent->second;
        if (pid == ancestor) return true;
    }
    return false;
}

std::string RunningProcesses::commandLine(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int windowRank(const TopLevelFacts& window, pid_t program, pid_t self, ProcessFacts& processes) {
    if (window.ours || window.pid == self) return notTheProgram;
    if (window.pid == program) return 0;
    if (window.pid > 0) {
        // Wine starts its own programs apart from the one it runs, so they
        // are no kin of it, yet their windows are new since the start. Its
        // virtual desktop is the one that holds the program's windows and
        // passes the keys on to them.
        if (runsWineOwnProgram(processes.commandLine(window.pid)))
            return window.holdsWindowOf && window.holdsWindowOf(program) ? 0 : notTheProgram;
        if (processes.descendsFrom(window.pid, program)) return 1;
    }
    return window.newSinceStart ? 2 : notTheProgram;
}

unsigned long programWindow(const std::vector<TopLevelFacts>& windows, unsigned long chosen, pid_t program,
                            pid_t self, ProcessFacts& processes) {
    unsigned long best = 0;
    int bestRank = notTheProgram;
    for (const TopLevelFacts& window : windows) {
        const int rank = windowRank(window, program, self, processes);
        if (rank < bestRank || (rank == bestRank && rank != notTheProgram && window.id == chosen)) {
            best = window.id;
            bestRank = rank;
        }
    }
    return best;
}

}  // namespace platform
