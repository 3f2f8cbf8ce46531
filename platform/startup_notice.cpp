#include "platform/startup_notice.h"

namespace platform {

namespace {

constexpr std::size_t kPieceBytes = 20;

// An id travels inside a quoted value and as an environment variable: no
// blanks, quotes, backslashes or control characters in it.
std::string idWord(const std::string& text) {
    std::string word;
    for (char c : text) word += (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '\\') ? '_' : c;
    return word;
}

}  // namespace

std::string startupId(const std::string& launcher, long launcherPid, const std::string& host,
                      const std::string& program, unsigned serial, unsigned long time) {
    return idWord(launcher) + '-' + std::to_string(launcherPid) + '-' + idWord(host) + '-' + idWord(program) + '-' +
           std::to_string(serial) + "_TIME" + std::to_string(time);
}

std::string startupMessage(const std::string& kind, const StartupFields& fields) {
    std::string message = kind;
    for (const auto& [key, value] : fields) {
        message += ' ' + key + "=\"";
        for (char c : value) {
            if (c == '"' || c == '\\') message += '\\';
            message += c;
        }
        message += '"';
    }
    return message;
}

std::vector<std::string> startupMessagePieces(const std::string& message) {
    std::string bytes = message;
    bytes += '\0';
    bytes.resize((bytes.size() + kPieceBytes - 1) / kPieceBytes * kPieceBytes, '\0');
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < bytes.size(); at += kPieceBytes) pieces.push_back(bytes.substr(at, kPieceBytes));
    return pieces;
}

}  // namespace platform
