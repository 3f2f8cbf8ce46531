#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace desktop_driver {

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::filesystem::path& folder,
                           const std::vector<std::string>& arguments,
                           const std::filesystem::path& stderrFile) {
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        if (!stderrFile.empty()) {
            const int fd = open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                dup2(fd, STDERR_FILENO);
                close(fd);
            }
        }
        execv(raw[0], raw.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() { terminate(); }

bool ChildProcess::running() { return !waitForExit(std::chrono::milliseconds(0)).has_value(); }

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (status_) return status_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return status_;
        }
        if (done < 0) return status_ = -1;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void ChildProcess::terminate() {
    if (pid_ <= 0 || status_) return;
    kill(pid_, SIGTERM);
    if (!waitForExit(std::chrono::milliseconds(2000))) {
        kill(pid_, SIGKILL);
        waitForExit(std::chrono::milliseconds(2000));
    }
}

std::vector<pid_t> processesWorkingIn(const std::filesystem::path& folder) {
    std::vector<pid_t> found;
    std::error_code error;
    const auto wanted = std::filesystem::weakly_canonical(folder, error);
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code ignored;
        const auto cwd = std::filesystem::read_symlink(entry.path() / "cwd", ignored);
        if (!ignored && cwd == wanted && std::stol(name) != getpid()) found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

void endProcessesWorkingIn(const std::filesystem::path& folder) {
    auto pids = processesWorkingIn(folder);
    for (pid_t pid : pids) kill(pid, SIGTERM);
    for (int i = 0; i < 40 && !processesWorkingIn(folder).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (pid_t pid : processesWorkingIn(folder)) kill(pid, SIGKILL);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace desktop_driver
