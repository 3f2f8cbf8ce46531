#include "launcher/command_line.h"

#include <iostream>
#include <vector>

#include "platform/command_line.h"

namespace launcher {

std::optional<int> handleCommandLine(int argc, const char* const* argv) {
    static constexpr platform::ProgramIdentity lorvane{
        "lorvane", "Lorvane, the game's start menu.",
        "Run it in the game's folder, without arguments: it reads the menu script\n"
        "Data/kelo.pod there and shows the start screen the script describes.\n"
        "The script's format is described in kelo.pod(5)."};
    // Options besides --help and --version, one row each.
    const std::vector<platform::CommandLineOption> options = {};
    return platform::handleCommandLine(lorvane, options, argc, argv, std::cout, std::cerr);
}

}  // namespace launcher
