#include "platform/process_environment.h"

#include <QProcess>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace platform {

namespace {

std::optional<QProcessEnvironment>& remembered() {
    static std::optional<QProcessEnvironment> environment;
    return environment;
}

// The D-Bus library connects to this socket by itself when it is there.
bool userBusSocketExists() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    std::error_code error;
    return std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error);
}

}  // namespace

void rememberGivenEnvironment() {
    if (!remembered()) remembered() = QProcessEnvironment::systemEnvironment();
}

QProcessEnvironment givenEnvironment() {
    return remembered() ? *remembered() : QProcessEnvironment::systemEnvironment();
}

bool startDetachedAsGiven(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(givenEnvironment());
    return process.startDetached();
}

void skipSessionBusAutolaunch() {
    rememberGivenEnvironment();
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") || userBusSocketExists()) return;
    // An address no transport answers to: the connection fails at once.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

}  // namespace platform
