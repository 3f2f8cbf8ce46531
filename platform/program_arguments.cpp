#include "platform/program_arguments.h"

#include <QStringList>
#include <ostream>

namespace platform {

namespace {

std::string helpText(const QCommandLineParser& parser, const ProgramIdentity& program) {
    // Without an application object the parser knows no program name.
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QString::fromUtf8(program.name.data(), program.name.size()));
    return text.toStdString();
}

std::string optionAsTyped(const QString& name) {
    return (name.size() == 1 ? "-" : "--") + name.toStdString();
}

}  // namespace

std::string_view projectVersion() { return PROJECT_VERSION_TEXT; }

int usageError(const ProgramIdentity& program, std::ostream& err, const std::string& problem) {
    err << program.name << ": " << problem << " (try '" << program.name << " --help')" << std::endl;
    return 2;
}

std::optional<int> readCommandLine(QCommandLineParser& parser, const ProgramIdentity& program, int argc,
                                   const char* const* argv, std::ostream& out, std::ostream& err) {
    std::string description(program.title);
    if (!program.details.empty()) description += "\n\n" + std::string(program.details);
    parser.setApplicationDescription(QString::fromStdString(description));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("show this help and exit"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("show the version and exit"));
    parser.addOption(help);
    parser.addOption(version);

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) return usageError(program, err, "unknown option '" + optionAsTyped(unknown[0]) + "'");
        QString problem = parser.errorText();
        if (problem.endsWith(QLatin1Char('.'))) problem.chop(1);
        if (!problem.isEmpty()) problem[0] = problem[0].toLower();
        return usageError(program, err, problem.toStdString());
    }
    if (parser.isSet(help)) {
        out << helpText(parser, program) << std::flush;
        return 0;
    }
    if (parser.isSet(version)) {
        out << program.name << ' ' << projectVersion() << std::endl;
        return 0;
    }
    return std::nullopt;
}

}  // namespace platform
