#include "launcher/command_line.h"

#include <QApplication>
#include <QByteArray>
#include <QCommandLineParser>
#include <filesystem>
#include <iostream>

#include "launcher/folder_check.h"
#include "platform/program_arguments.h"
#include "script/menu_script.h"
#include "script/windows_path.h"
#include "view/fonts.h"

namespace launcher {

namespace {

// The dry run needs no display: the start window is drawn off the screen.
int checkFolder(const std::optional<std::string>& operand) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the missing display are no findings of the check.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
    });
    int argc = 1;
    char name[] = "lorvane";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    view::installFontSubstitutions();
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::absolute(operand ? std::filesystem::path(*operand) : std::filesystem::current_path(), error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        std::cerr << "lorvane: " << folder.string() << " is not a folder\n";
        return 2;
    }
    std::cout << "Checking " << script::mapWindowsPath(script::kScriptInGameFolder, folder).string() << "\n";
    const FolderCheck check = checkGameFolder(folder);
    std::cout << check.text();
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
    if (const auto answered = platform::readCommandLine(parser, lorvane, argc, argv, std::cout, std::cerr))
        return answered;

    const QStringList operands = parser.positionalArguments();
    if (!parser.isSet(check)) {
        if (operands.isEmpty()) return std::nullopt;
        return platform::usageError(lorvane, std::cerr, "unexpected argument '" + operands[0].toStdString() + "'");
    }
    if (operands.size() > 1)
        return platform::usageError(lorvane, std::cerr,
                                    "unexpected argument '" + operands[1].toStdString() + "' after --check");
    return checkFolder(operands.isEmpty() ? std::nullopt : std::optional(operands[0].toStdString()));
}

}  // namespace launcher
