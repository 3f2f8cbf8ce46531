#include "editor/command_line.h"

#include <iostream>
#include <vector>

#include "platform/command_line.h"

namespace editor {

std::optional<int> handleCommandLine(int argc, const char* const* argv) {
    static constexpr platform::ProgramIdentity varno{
        "varno", "Varno, the editor of the launcher's menu script.",
        "Started without arguments, it opens its window. Compile/Save writes the\n"
        "script ~/Varno/Data/kelo.pod and the editor's state file ~/Varno/kelo.bak;\n"
        "Load Data reads the state file back. The script's format is described in\n"
        "kelo.pod(5)."};
    // Options besides --help and --version, one row each.
    const std::vector<platform::CommandLineOption> options = {};
    return platform::handleCommandLine(varno, options, argc, argv, std::cout, std::cerr);
}

}  // namespace editor
