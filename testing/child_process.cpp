#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <thread>

extern char** environ;

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kPollStep{10};

milliseconds left(Clock::time_point deadline) {
    return std::max(milliseconds(0), std::chrono::duration_cast<milliseconds>(deadline - Clock::now()));
}

// This process's environment with the command's changes on top, as
// "NAME=value" strings in a stable order.
std::vector<std::string> environmentFor(const Command& command) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : command.environment) {
        if (value) variables[name] = *value;
        else variables.erase(name);
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : variables) result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (auto& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Closes what it holds when it goes away, unless released.
struct Fd {
    int fd = -1;
    Fd() = default;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd >= 0) close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

struct Pipe {
    Fd read, write;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        read.fd = fds[0];
        write.fd = fds[1];
    }
};

// The program's path: as given when it names a folder, else found on PATH.
std::string programPath(const std::string& program) {
    if (program.find('/') != std::string::npos) return program;
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/bin:/bin";
    while (true) {
        const auto colon = folders.find(':');
        const std::string folder(folders.substr(0, colon));
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        if (colon == std::string_view::npos) return program;  // exec names the failure
        folders.remove_prefix(colon + 1);
    }
}

// Points `target` at what `output` names. Runs in the new child between fork
// and exec, so only async-signal-safe calls; false when a file cannot be opened.
bool direct(int target, const Output& output, const char* file, int pipeEnd) {
    int fd = -1;
    switch (output.to) {
    case Output::To::Inherit:
        return true;
    case Output::To::Discard:
        fd = open("/dev/null", O_WRONLY);
        break;
    case Output::To::File:
        fd = open(file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        break;
    case Output::To::Capture:
        return dup2(pipeEnd, target) == target;
    case Output::To::StandardOutput:
        return dup2(STDOUT_FILENO, target) == target;
    }
    if (fd < 0) return false;
    const bool moved = dup2(fd, target) == target;
    if (fd != target) close(fd);
    return moved;
}

// Appends what is there to read; false once the writer has closed its end.
bool drain(int fd, std::string& into) {
    char chunk[4096];
    while (true) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            into.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && errno == EAGAIN;
    }
}

}  // namespace

ChildProcess::ChildProcess(const Command& command) {
    if (command.arguments.empty()) throw std::runtime_error("no program to start");
    std::vector<std::string> arguments = command.arguments;
    std::vector<std::string> environment = environmentFor(command);
    auto argv = pointersTo(arguments);
    auto envp = pointersTo(environment);

    const std::string program = programPath(arguments.front());
    std::optional<Pipe> input, out, err;
    if (command.input) input.emplace();
    if (command.out.to == Output::To::Capture) out.emplace();
    if (command.err.to == Output::To::Capture) err.emplace();
    Pipe failure;  // the child's errno when it cannot get as far as the program
    const std::string outFile = command.out.file.string(), errFile = command.err.file.string();
    const std::string folder = command.folder.string();
    const pid_t parent = getpid();

    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid_ == 0) {
        // A process group of its own, so that ending it ends what it started
        // too; killed with this process should that end first; and no signal
        // blocked that this process happens to block.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        const bool ready = (!input || dup2(input->read.fd, STDIN_FILENO) == STDIN_FILENO) &&
                           direct(STDOUT_FILENO, command.out, outFile.c_str(), out ? out->write.fd : -1) &&
                           direct(STDERR_FILENO, command.err, errFile.c_str(), err ? err->write.fd : -1) &&
                           (folder.empty() || chdir(folder.c_str()) == 0);
        if (ready) execve(program.c_str(), argv.data(), envp.data());
        const int error = errno;
        if (write(failure.write.fd, &error, sizeof error) < 0) _exit(127);
        _exit(127);
    }
    // Set here as well, so that the group exists before anyone signals it.
    setpgid(pid_, pid_);
    close(failure.write.release());
    int error = 0;
    ssize_t got;
    while ((got = read(failure.read.fd, &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got == sizeof error) {
        while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        throw std::runtime_error("cannot start " + command.arguments.front() +
                                 (command.folder.empty() ? "" : " in " + command.folder.string()) + ": " +
                                 std::strerror(error));
    }
    if (input) in_ = input->write.release();
    for (auto [pipe, fd] : {std::pair{&out, &out_}, std::pair{&err, &err_}})
        if (*pipe) {
            *fd = (*pipe)->read.release();
            fcntl(*fd, F_SETFL, fcntl(*fd, F_GETFL) | O_NONBLOCK);
        }
}

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::filesystem::path& folder,
                           const std::vector<std::string>& arguments, const std::filesystem::path& stderrFile)
    : ChildProcess([&] {
          Command command{{program.string()}, folder};
          command.arguments.insert(command.arguments.end(), arguments.begin(), arguments.end());
          if (!stderrFile.empty()) command.err = Output::toFile(stderrFile);
          return command;
      }()) {}

ChildProcess ChildProcess::forked(const std::function<int()>& body) {
    ChildProcess child;
    const pid_t parent = getpid();
    child.pid_ = fork();
    if (child.pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (child.pid_ == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(1);
        int code = 1;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    // Set here as well, so that the group exists before anyone signals it.
    setpgid(child.pid_, child.pid_);
    return child;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      status_(other.status_),
      reaped_(other.reaped_),
      in_(std::exchange(other.in_, -1)),
      out_(std::exchange(other.out_, -1)),
      err_(std::exchange(other.err_, -1)),
      outBuffer_(std::move(other.outBuffer_)),
      errBuffer_(std::move(other.errBuffer_)) {}

ChildProcess::~ChildProcess() {
    terminate();
    for (int fd : {in_, out_, err_})
        if (fd >= 0) close(fd);
}

bool ChildProcess::running() { return !waitForExit(milliseconds(0)).has_value(); }

std::optional<int> ChildProcess::waitForExit(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!status_ && pid_ > 0) {
        // Not reaped yet: the exited leader keeps its id, and so the group's,
        // from being reused until the group is ended.
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
            if (errno == EINTR) continue;
            reaped_ = true;  // someone else reaped it
            status_ = -1;
            break;
        }
        if (info.si_pid == pid_) {
            status_ = info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
            break;
        }
        if (Clock::now() >= deadline) break;
        pump(std::min(kPollStep, left(deadline)));
    }
    return status_;
}

void ChildProcess::pump(milliseconds timeout) {
    pollfd fds[2];
    std::string* buffers[2];
    int* owners[2];
    nfds_t count = 0;
    for (auto [fd, buffer] : {std::pair{&out_, &outBuffer_}, std::pair{&err_, &errBuffer_}})
        if (*fd >= 0) {
            fds[count] = {*fd, POLLIN, 0};
            buffers[count] = buffer;
            owners[count++] = fd;
        }
    if (count == 0) {
        std::this_thread::sleep_for(timeout);
        return;
    }
    if (poll(fds, count, static_cast<int>(timeout.count())) <= 0) return;
    for (nfds_t i = 0; i < count; ++i)
        if (fds[i].revents != 0 && !drain(fds[i].fd, *buffers[i])) {
            close(*owners[i]);
            *owners[i] = -1;
        }
}

bool ChildProcess::readLine(std::string& line, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        const auto newline = outBuffer_.find('\n');
        if (newline != std::string::npos) {
            line = outBuffer_.substr(0, newline);
            outBuffer_.erase(0, newline + 1);
            return true;
        }
        if (out_ < 0 || Clock::now() >= deadline) return false;
        pump(left(deadline));
    }
}

std::vector<std::string> ChildProcess::linesFor(milliseconds duration) {
    const auto deadline = Clock::now() + duration;
    std::vector<std::string> lines;
    for (std::string line; readLine(line, left(deadline));) lines.push_back(line);
    return lines;
}

const std::string& ChildProcess::output() {
    pump(milliseconds(0));
    return outBuffer_;
}

const std::string& ChildProcess::errors() {
    pump(milliseconds(0));
    return errBuffer_;
}

bool ChildProcess::writeInput(const std::string& bytes) {
    if (in_ < 0) return false;
    // A program that has gone must not take this process with it.
    sigset_t pipeSignal, previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(in_, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    if (written < bytes.size() && errno == EPIPE) {
        const timespec now{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return written == bytes.size();
}

void ChildProcess::closeInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
}

void ChildProcess::terminate(milliseconds grace) { endGroup(SIGTERM, grace); }

void ChildProcess::kill() { endGroup(SIGKILL, milliseconds(0)); }

void ChildProcess::endGroup(int signal, milliseconds grace) {
    if (pid_ <= 0 || reaped_) return;
    // The group also holds what the program started; it ends with it even
    // when the program itself has already exited.
    ::kill(-pid_, signal);
    if (signal != SIGKILL) waitForExit(grace);
    ::kill(-pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (!status_) status_ = 128 + SIGKILL;
    reaped_ = true;
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
        if (!ignored && cwd == wanted && std::stol(name) != getpid())
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

void endProcessesWorkingIn(const std::filesystem::path& folder) {
    for (pid_t pid : processesWorkingIn(folder)) ::kill(pid, SIGTERM);
    for (int i = 0; i < 40 && !processesWorkingIn(folder).empty(); ++i)
        std::this_thread::sleep_for(milliseconds(50));
    for (pid_t pid : processesWorkingIn(folder)) ::kill(pid, SIGKILL);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace testing_support
