#include "platform/backend_library.h"

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

namespace {

constexpr const char* kLibraryName = "liblorvane-desktop.so";

std::filesystem::path programFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

}  // namespace

std::unique_ptr<DesktopBackend> loadDesktopBackend() {
    const std::filesystem::path here = programFolder();
    std::string why = std::string(kLibraryName) + " is not in " + (here / LORVANE_LIBRARY_FROM_BIN).string();
    // The installed layout first; the build folder's is the same when the
    // library folder is plain "lib".
    for (const char* relative : {LORVANE_LIBRARY_FROM_BIN, "../lib/lorvane/desktop"}) {
        const std::filesystem::path file = (here / relative / kLibraryName).lexically_normal();
        std::error_code error;
        if (!std::filesystem::exists(file, error)) continue;
        void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            why = dlerror();
            break;
        }
        // Never closed: its threads and windows live as long as the program.
        auto* create = reinterpret_cast<DesktopBackend* (*)()>(dlsym(library, "lorvane_create_desktop_backend"));
        if (!create) {
            why = file.string() + " is not the desktop services library";
            break;
        }
        return std::unique_ptr<DesktopBackend>(create());
    }
    std::fprintf(stderr, "%s: cannot load the media, keystroke and input services: %s\n",
                 program_invocation_short_name, why.c_str());
    return nullptr;
}

}  // namespace platform
