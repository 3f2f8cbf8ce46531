#include "platform/program_start.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/process_environment.h"
#include "script/failure.h"
#include "script/windows_path.h"

namespace platform {

namespace {

bool isWindowsExecutable(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

bool isFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

std::filesystem::path below(const std::string& name, const std::filesystem::path& folder) {
    return folder.empty() ? script::mapWindowsPath(name) : script::mapWindowsPath(name, folder);
}

// The program to run for `name`: a file below `folder`, else a plain command
// name on the path. Empty when there is none.
QString locate(const QString& name, const std::filesystem::path& folder) {
    const auto mapped = below(name.toStdString(), folder);
    if (isFile(mapped)) return QString::fromStdString(std::filesystem::absolute(mapped).string());
    if (!name.contains('/') && !name.contains('\\')) return QStandardPaths::findExecutable(name);
    return {};
}

// Names the program as given below `folder`, and says where it was looked for.
[[noreturn]] void notFound(const QString& program, const std::filesystem::path& folder = {}) {
    const std::string name = program.toStdString();
    script::Failure failure(script::FailureKind::FileNotFound);
    failure.aboutFile(script::nameOnThisSystem(below(name, folder), name, folder));
    if (!program.contains('/') && !program.contains('\\') && !failure.file().lookedIn.empty())
        failure.lookedIn(failure.file().lookedIn + " and the folders of PATH");
    throw failure;
}

// Programs started here that have not been reaped, and the endings of those
// that have.
std::set<pid_t>& startedPrograms() {
    static std::set<pid_t> pids;
    return pids;
}
std::map<pid_t, std::string>& endedPrograms() {
    static std::map<pid_t, std::string> endings;
    return endings;
}

// A program that ended unwatched (each Setup click starts one) leaves no
// zombie behind for long.
void reapEndedPrograms() {
    const std::set<pid_t> pids = startedPrograms();
    for (pid_t pid : pids) programEnding(pid);
}

pid_t spawn(const QString& executable, const QStringList& arguments, const std::vector<std::string>& added) {
    std::vector<std::string> words{executable.toStdString()};
    for (const QString& argument : arguments) words.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    // The launcher's signal settings are not the game's.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    // The environment as the launcher was given it, not as it changed it.
    QProcessEnvironment environment = givenEnvironment();
    for (const std::string& variable : added) {
        const auto equals = variable.find('=');
        if (equals != std::string::npos)
            environment.insert(QString::fromStdString(variable.substr(0, equals)),
                               QString::fromStdString(variable.substr(equals + 1)));
    }
    std::vector<std::string> variables;
    for (const QString& variable : environment.toStringList()) variables.push_back(variable.toStdString());
    std::vector<char*> envp;
    for (auto& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv.front(), nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    return error == 0 ? pid : -1;
}

}  // namespace

namespace {

struct Invocation {
    ProgramPlan plan;
    QStringList arguments;
};

Invocation invocationOf(const std::string& commandLine, const std::filesystem::path& folder = {}) {
    const QString line = QString::fromStdString(commandLine).trimmed();
    Invocation invocation;
    QString program = line;
    // A file name with blanks in it is taken whole before the line is split.
    QString file = locate(line, folder);
    if (file.isEmpty()) {
        invocation.arguments = QProcess::splitCommand(line);
        if (!invocation.arguments.isEmpty()) {
            program = invocation.arguments.takeFirst();
            file = locate(program, folder);
        }
    }
    ProgramPlan& plan = invocation.plan;
    plan.program = program.toStdString();
    plan.file = file.toStdString();
    plan.windowsProgram = !file.isEmpty() && isWindowsExecutable(plan.file);
    plan.throughWine = plan.windowsProgram && !QStandardPaths::findExecutable("wine").isEmpty();
    plan.folder = folder;
    return invocation;
}

}  // namespace

ProgramPlan planProgram(const std::string& commandLine, const std::filesystem::path& folder) {
    return invocationOf(commandLine, folder).plan;
}

void requireStartable(const ProgramPlan& plan) {
    if (plan.file.empty()) notFound(QString::fromStdString(plan.program), plan.folder);
    if (plan.windowsProgram && !plan.throughWine)
        throw script::Failure(script::FailureKind::ProgramFailed,
                              plan.program + " is a Windows program; install Wine to run it");
}

StartedProgram startProgram(const std::string& commandLine, const std::vector<std::string>& environment) {
    reapEndedPrograms();
    Invocation invocation = invocationOf(commandLine);
    const ProgramPlan& plan = invocation.plan;
    requireStartable(plan);
    QString executable = QString::fromStdString(plan.file);
    if (plan.throughWine) {
        invocation.arguments.prepend(executable);
        executable = QStandardPaths::findExecutable("wine");
    }
    // Our own child, so that its end and exit status can be learnt while we
    // wait for its window; a program that cannot be executed is reported here.
    const pid_t pid = spawn(executable, invocation.arguments, environment);
    if (pid <= 0) notFound(QString::fromStdString(plan.program));
    startedPrograms().insert(pid);
    return {pid, plan.program};
}

std::optional<std::string> programEnding(pid_t pid) {
    auto& ended = endedPrograms();
    if (auto known = ended.find(pid); known != ended.end()) return known->second;
    if (!startedPrograms().count(pid)) return std::nullopt;
    int status = 0;
    const pid_t result = waitpid(pid, &status, WNOHANG);
    if (result == 0) return std::nullopt;
    startedPrograms().erase(pid);
    std::string how = "ended";
    if (result == pid && WIFEXITED(status)) how = "exit status " + std::to_string(WEXITSTATUS(status));
    else if (result == pid && WIFSIGNALED(status)) how = "killed by signal " + std::to_string(WTERMSIG(status));
    ended[pid] = how;
    return how;
}

void openWithDesktop(const std::string& windowsPath, std::function<void(const script::Failure&)> whenNotOpened) {
    const auto mapped = script::mapWindowsPath(windowsPath);
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty())
        throw script::Failure(script::FailureKind::FileNotFound, "cannot be opened: xdg-open cannot be started")
            .aboutFile(mapped);
    // Watched, not detached: the opener's exit status is the only word that
    // no application could be started. It ends as soon as it has handed the
    // file over, and may outlive us; it is never killed.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({QString::fromStdString(mapped.string())});
    process->setProcessEnvironment(givenEnvironment());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process,
                     [process, mapped, whenNotOpened](int exitCode, QProcess::ExitStatus exitStatus) {
                         process->deleteLater();
                         if (exitStatus == QProcess::NormalExit && exitCode == 0) return;
                         const std::string how = exitStatus == QProcess::NormalExit
                                                     ? "exit status " + std::to_string(exitCode)
                                                     : std::string("crashed");
                         whenNotOpened(script::Failure(script::FailureKind::ProgramFailed,
                                                       "cannot be opened: no text editor could be started "
                                                       "(xdg-open " + how + ")")
                                           .aboutFile(mapped)
                                           .withRemedy("install a text editor or open the file by hand"));
                     });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        throw script::Failure(script::FailureKind::FileNotFound, "cannot be opened: xdg-open cannot be started")
            .aboutFile(mapped);
    }
}

}  // namespace platform
