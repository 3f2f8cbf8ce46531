#include "platform/program_start.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <fstream>

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

// The program to run for `name`: a file below the working folder, else a
// plain command name on the path. Empty when there is none.
QString locate(const QString& name) {
    const auto mapped = script::mapWindowsPath(name.toStdString());
    if (isFile(mapped)) return QString::fromStdString(std::filesystem::absolute(mapped).string());
    if (!name.contains('/') && !name.contains('\\')) return QStandardPaths::findExecutable(name);
    return {};
}

[[noreturn]] void notFound(const QString& program) {
    throw script::Failure(script::FailureKind::FileNotFound, {}, program.toStdString());
}

}  // namespace

void startProgram(const std::string& commandLine) {
    const QString line = QString::fromStdString(commandLine).trimmed();
    QString program;
    QStringList arguments;
    // A file name with blanks in it is taken whole before the line is split.
    QString file = locate(line);
    if (!file.isEmpty()) {
        program = line;
    } else {
        arguments = QProcess::splitCommand(line);
        if (arguments.isEmpty()) notFound(line);
        program = arguments.takeFirst();
        file = locate(program);
    }
    if (file.isEmpty()) notFound(program);

    QString executable = file;
    if (isWindowsExecutable(file.toStdString())) {
        const QString wine = QStandardPaths::findExecutable("wine");
        if (!wine.isEmpty()) {
            arguments.prepend(file);
            executable = wine;
        }
    }
    // Detached: the program outlives us, is never waited for and leaves no
    // zombie; a program that cannot be executed is reported here.
    if (!startDetachedAsGiven(executable, arguments)) notFound(program);
}

void openWithDesktop(const std::string& windowsPath) {
    const auto mapped = script::mapWindowsPath(windowsPath);
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) throw script::Failure(script::FailureKind::FileNotFound, {}, "xdg-open");
    if (!startDetachedAsGiven(opener, {QString::fromStdString(mapped.string())}))
        throw script::Failure(script::FailureKind::FileNotFound, {}, "xdg-open");
}

}  // namespace platform
