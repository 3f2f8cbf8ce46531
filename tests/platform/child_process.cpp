#include "child_process.h"

#include <chrono>
#include <csignal>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace platform_tests {

namespace {

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    out_ = fds[0];
}

ChildProcess::~ChildProcess() {
    killHard();
    if (out_ >= 0) close(out_);
}

void ChildProcess::killHard() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

bool ChildProcess::readLine(std::string& line, double timeoutSeconds) {
    const double deadline = now() + timeoutSeconds;
    while (true) {
        const auto newline = buffer_.find('\n');
        if (newline != std::string::npos) {
            line = buffer_.substr(0, newline);
            buffer_.erase(0, newline + 1);
            return true;
        }
        const double remaining = deadline - now();
        if (remaining <= 0 || out_ < 0) return false;
        pollfd fd{out_, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(remaining * 1000) + 1) <= 0) continue;
        char chunk[512];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0) {
            close(out_);
            out_ = -1;
            continue;
        }
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

std::vector<std::string> ChildProcess::linesFor(double seconds) {
    std::vector<std::string> lines;
    const double deadline = now() + seconds;
    std::string line;
    while (readLine(line, std::max(0.0, deadline - now()))) lines.push_back(line);
    return lines;
}

}  // namespace platform_tests
