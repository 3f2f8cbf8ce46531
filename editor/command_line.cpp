#include "editor/command_line.h"

#include <QCommandLineParser>
#include <iostream>

#include "editor/game_folder.h"
#include "platform/program_arguments.h"

namespace editor {

CommandLine readCommandLine(int argc, const char* const* argv) {
    if (argc <= 1) return {};
    static constexpr platform::ProgramIdentity varno{
        "varno", "Varno, the editor of the launcher's menu script.",
        "Started without arguments, it opens its window. Compile/Save writes the\n"
        "script ~/Varno/Data/kelo.pod and the editor's state file ~/Varno/kelo.bak;\n"
        "Load Data reads the state file back. Given a game folder (or its\n"
        "Data/kelo.pod), it opens that folder's script: the Game menu saves it\n"
        "back there and tries it in Lorvane. The script's format is described in\n"
        "kelo.pod(5)."};
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("the game folder to open, or its Data/kelo.pod"),
                                 QStringLiteral("[FOLDER]"));
    CommandLine wanted;
    wanted.exitStatus = platform::readCommandLine(parser, varno, argc, argv, std::cout, std::cerr);
    if (wanted.exitStatus) return wanted;

    const QStringList operands = parser.positionalArguments();
    if (operands.isEmpty()) return wanted;
    if (operands.size() > 1) {
        wanted.exitStatus = platform::usageError(varno, std::cerr,
                                                 "unexpected argument '" + operands[1].toStdString() + "'");
        return wanted;
    }
    const std::filesystem::path given = operands[0].toStdString();
    wanted.gameFolder = gameFolderOf(given);
    if (!wanted.gameFolder)
        wanted.exitStatus = platform::usageError(
            varno, std::cerr, "'" + given.string() + "' is neither a folder nor a game folder's Data/kelo.pod");
    return wanted;
}

}  // namespace editor
