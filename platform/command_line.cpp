#include "platform/command_line.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace platform {

namespace {

constexpr int usageErrorStatus = 2;

bool optionalOperand(std::string_view operand) { return operand.starts_with('['); }

std::string synopsisOf(const CommandLineOption& option) {
    std::string text(option.name);
    if (!option.operand.empty()) text += ' ' + std::string(option.operand);
    return text;
}

int usageError(const ProgramIdentity& program, std::ostream& err, const std::string& problem) {
    err << program.name << ": " << problem << " (try '" << program.name << " --help')" << std::endl;
    return usageErrorStatus;
}

void printHelp(const ProgramIdentity& program, std::span<const CommandLineOption> options, std::ostream& out) {
    out << "Usage: " << program.name << " [OPTION]\n\n" << program.title << "\n";
    if (!program.details.empty()) out << "\n" << program.details << "\n";
    std::size_t width = 0;
    for (const CommandLineOption& option : options) width = std::max(width, synopsisOf(option).size());
    out << "\nOptions:\n";
    for (const CommandLineOption& option : options) {
        const std::string synopsis = synopsisOf(option);
        out << "  " << synopsis << std::string(width - synopsis.size() + 2, ' ') << option.summary << "\n";
    }
    out << std::flush;
}

}  // namespace

std::string_view projectVersion() { return PROJECT_VERSION_TEXT; }

std::optional<int> handleCommandLine(const ProgramIdentity& program, std::span<const CommandLineOption> extra,
                                     int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    if (argc <= 1) return std::nullopt;

    std::vector<CommandLineOption> options(extra.begin(), extra.end());
    options.push_back({"--help", "", "show this help and exit", [&](const auto&) {
                           printHelp(program, options, out);
                           return 0;
                       }});
    options.push_back({"--version", "", "show the version and exit", [&](const auto&) {
                           out << program.name << ' ' << projectVersion() << std::endl;
                           return 0;
                       }});

    const std::string_view given = argv[1];
    const CommandLineOption* chosen = nullptr;
    for (const CommandLineOption& option : options)
        if (option.name == given) chosen = &option;
    if (!chosen) {
        if (given.starts_with('-')) return usageError(program, err, "unknown option '" + std::string(given) + "'");
        return usageError(program, err, "unexpected argument '" + std::string(given) + "'");
    }

    std::optional<std::string> operand;
    int next = 2;
    if (!chosen->operand.empty() && next < argc) operand = argv[next++];
    if (!chosen->operand.empty() && !optionalOperand(chosen->operand) && !operand)
        return usageError(program, err, std::string(given) + " needs " + std::string(chosen->operand));
    if (next < argc)
        return usageError(program, err, "unexpected argument '" + std::string(argv[next]) + "' after " +
                                             std::string(given));
    return chosen->run(operand);
}

}  // namespace platform
