#pragma once
// A program started from outside by a test, a benchmark or the demo's walk:
// its arguments, working folder and environment, where its output goes,
// waiting for its end, and ending it with everything it started in its
// process group when the object goes away, so that nothing is left behind.
// Should this process die first, the program is killed with it (when the
// thread that started it ends, in fact: start programs from the main thread).

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Where one of the program's output streams goes.
struct Output {
    enum class To { Inherit, Discard, File, Capture, StandardOutput };
    To to = To::Inherit;
    std::filesystem::path file;

    static Output discard() { return {To::Discard, {}}; }
    static Output toFile(std::filesystem::path path) { return {To::File, std::move(path)}; }
    // Kept in this process: read with readLine() or output()/errors().
    static Output capture() { return {To::Capture, {}}; }
    // For standard error: wherever standard output goes, interleaved as written.
    static Output sameAsOut() { return {To::StandardOutput, {}}; }
};

struct Command {
    // The program first: a path, or a name looked up on PATH.
    std::vector<std::string> arguments;
    // Empty: this process's working folder.
    std::filesystem::path folder = {};
    // Set on top of this process's environment; no value unsets the variable.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment = {};
    Output out = {};
    Output err = {};
    // A pipe to its standard input, written with writeInput().
    bool input = false;
};

class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    explicit ChildProcess(const Command& command);
    // A program in `folder`, its standard error into `stderrFile` when one is given.
    ChildProcess(const std::filesystem::path& program, const std::filesystem::path& folder,
                 const std::vector<std::string>& arguments = {}, const std::filesystem::path& stderrFile = {});
    // A copy of this process that runs `body` and exits with what it returns,
    // for work that must happen in another process (a second writer, a lock
    // holder, a measurement of its own memory).
    static ChildProcess forked(const std::function<int()>& body);

    ~ChildProcess();  // terminate()
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // Its exit status once it has ended within `timeout`; a signal gives
    // 128 + the signal's number. Captured output keeps being read meanwhile.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

    // The next line of captured standard output, without its newline; false
    // when none came within `timeout`.
    bool readLine(std::string& line, std::chrono::milliseconds timeout);
    // Every line that arrives within `duration`.
    std::vector<std::string> linesFor(std::chrono::milliseconds duration);
    // Captured standard output and error not yet taken by readLine().
    const std::string& output();
    const std::string& errors();

    bool writeInput(const std::string& bytes);
    void closeInput();

    // SIGTERM to the process group, SIGKILL to it after `grace`.
    void terminate(std::chrono::milliseconds grace = std::chrono::seconds(2));
    // SIGKILL to the process group at once.
    void kill();

private:
    ChildProcess() = default;
    // Reads whatever captured output is there, waiting at most `timeout` for some.
    void pump(std::chrono::milliseconds timeout);
    void endGroup(int signal, std::chrono::milliseconds grace);

    pid_t pid_ = -1;
    std::optional<int> status_;
    bool reaped_ = false;
    int in_ = -1, out_ = -1, err_ = -1;
    std::string outBuffer_, errBuffer_;
};

// Processes of this user whose working folder is `folder`: what a started
// program started in turn outside its process group, such as the game the
// launcher runs.
std::vector<pid_t> processesWorkingIn(const std::filesystem::path& folder);
// Ends each of them by its id: SIGTERM, then SIGKILL after a grace period.
void endProcessesWorkingIn(const std::filesystem::path& folder);

std::string readFile(const std::filesystem::path& path);

}  // namespace testing_support
