#pragma once
// The command line both programs share, read with Qt's parser: each program
// adds its own options and operands, and -h/--help, -v/--version and usage
// errors are answered here the same way for both. Needs no application
// object, so the answers come before any window could.

#include <QCommandLineParser>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct ProgramIdentity {
    std::string_view name;     // as typed: "lorvane"
    std::string_view title;    // one line for --help: what the program is
    std::string_view details;  // further paragraphs for --help; may be empty
};

// Reads `argv` with `parser`, to which the program has added its own options
// and operands. The exit status when the command line has been answered:
// help or version on `out` (0), or a usage error, a one-line hint on `err`
// (2). Nothing when the program is to run with what `parser` holds.
std::optional<int> readCommandLine(QCommandLineParser& parser, const ProgramIdentity& program, int argc,
                                   const char* const* argv, std::ostream& out, std::ostream& err);

// A usage error the program finds itself: the one-line hint, and status 2.
int usageError(const ProgramIdentity& program, std::ostream& err, const std::string& problem);

// The project's version, as the build set it.
std::string_view projectVersion();

}  // namespace platform
