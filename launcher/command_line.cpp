#include "launcher/command_line.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <streambuf>

#include "menu/folder_check.h"
#include "platform/program_arguments.h"
#include "script/menu_script.h"
#include "script/windows_path.h"
#include "view/picture_files.h"

namespace launcher {

namespace {

// Standard output and error as streams, made only when an option is given:
// <iostream> would set up the standard streams and their locale at every
// start, where nothing is printed.
class StdioBuffer : public std::streambuf {
public:
    explicit StdioBuffer(std::FILE* file) : file_(file) {}

protected:
    int_type overflow(int_type c) override {
        return traits_type::eq_int_type(c, traits_type::eof()) || std::fputc(c, file_) != EOF ? traits_type::not_eof(c)
                                                                                              : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        return static_cast<std::streamsize>(std::fwrite(text, 1, static_cast<std::size_t>(count), file_));
    }
    int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

private:
    std::FILE* file_;
};

// The dry run needs no display and no application: the engine runs with a
// view that only records.
int checkFolder(const std::optional<std::string>& operand) {
    // Qt's notes while reading pictures are no findings of the check.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::absolute(operand ? std::filesystem::path(*operand) : std::filesystem::current_path(), error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "lorvane: %s is not a folder\n", folder.c_str());
        return 2;
    }
    std::printf("Checking %s\n", script::mapWindowsPath(script::kScriptInGameFolder, folder).c_str());
    std::fflush(stdout);
    const menu::FolderCheck check = menu::checkGameFolder(folder, view::requirePicture);
    std::fputs(check.text().c_str(), stdout);
    return check.passes() ? 0 : 1;
}

}  // namespace

std::optional<int> handleCommandLine(int argc, const char* const* argv) {
    if (argc <= 1) return std::nullopt;
    static constexpr platform::ProgramIdentity lorvane{
        "lorvane", "Lorvane, the game's start menu.",
        "Run it in the game's folder, without arguments: it reads the menu script\n"
        "Data/kelo.pod there and shows the start screen the script describes.\n"
        "The script's format is described in kelo.pod(5)."};
    QCommandLineParser parser;
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral("read FOLDER's Data/kelo.pod as start-up does (FOLDER: the working folder) and tell "
                       "what Play, Start, Setup and S would do and when, without starting anything; "
                       "exit status 1 when start-up would stop or takes no record"));
    parser.addOption(check);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("the game folder --check reads"),
                                 QStringLiteral("[FOLDER]"));
    StdioBuffer outBuffer(stdout), errBuffer(stderr);
    std::ostream out(&outBuffer), err(&errBuffer);
    if (const auto answered = platform::readCommandLine(parser, lorvane, argc, argv, out, err))
        return answered;

    const QStringList operands = parser.positionalArguments();
    if (!parser.isSet(check)) {
        if (operands.isEmpty()) return std::nullopt;
        return platform::usageError(lorvane, err, "unexpected argument '" + operands[0].toStdString() + "'");
    }
    if (operands.size() > 1)
        return platform::usageError(lorvane, err,
                                    "unexpected argument '" + operands[1].toStdString() + "' after --check");
    return checkFolder(operands.isEmpty() ? std::nullopt : std::optional(operands[0].toStdString()));
}

}  // namespace launcher
