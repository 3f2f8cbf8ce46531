// Writes the demo's menu script <folder>/Data/kelo.pod, and the editor's
// state file for it as <folder>/kelo.bak, with the editor's own writer.
//
// Usage: demo_menu <folder> main|splash

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "demo_menu.h"
#include "script/failure.h"
#include "script/file_io.h"
#include "script/menu_script.h"
#include "script/windows_path.h"

int main(int argc, char** argv) {
    const std::string layoutName = argc == 3 ? argv[2] : "";
    if (layoutName != "main" && layoutName != "splash") {
        std::fprintf(stderr, "usage: demo_menu <folder> main|splash\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const auto snapshot = demo_menu::packagerSnapshot(layoutName == "splash" ? demo_menu::Layout::Splash
                                                                             : demo_menu::Layout::Main);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string compiled = script::formatDateTime(local);
    try {
        std::filesystem::create_directories(folder / "Data");
        script::writeFileReplacing(script::mapWindowsPath(script::kScriptInGameFolder, folder),
                                   script::writeMenuScript(snapshot, compiled), script::kScriptInGameFolder);
        script::writeFileReplacing(folder / "kelo.bak", script::writeStateFile(snapshot, compiled), "kelo.bak");
    } catch (const script::Failure& failure) {
        std::fprintf(stderr, "demo_menu: %s\n", failure.report().c_str());
        return 1;
    } catch (const std::filesystem::filesystem_error& error) {
        std::fprintf(stderr, "demo_menu: %s\n", error.what());
        return 1;
    }
    return 0;
}
