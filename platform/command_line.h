#pragma once
// The command line of a program: a table of options, each with its handler.
// --help and --version come with every program; without arguments the
// program starts as usual. Plain C++, so it runs before any window exists.

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct ProgramIdentity {
    std::string_view name;     // as typed: "lorvane"
    std::string_view title;    // one line for --help: what the program is
    std::string_view details;  // further paragraphs for --help; may be empty
};

struct CommandLineOption {
    std::string_view name;     // "--check"
    // "" takes no operand; "[FOLDER]" an optional one; "FOLDER" a required one.
    std::string_view operand;
    std::string_view summary;  // one line for --help
    // Runs the option and gives the program's exit status.
    std::function<int(const std::optional<std::string>& operand)> run;
};

// The exit status of a command line the options table handled (an option, or
// a usage error: status 2 and a one-line hint on err), or nothing when the
// program is to start as usual (no arguments).
std::optional<int> handleCommandLine(const ProgramIdentity& program, std::span<const CommandLineOption> options,
                                     int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The project's version, as the build set it.
std::string_view projectVersion();

}  // namespace platform
