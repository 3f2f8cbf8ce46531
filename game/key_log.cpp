#include "game/key_log.h"

#include <cstdio>

namespace zembrot {

bool KeyLog::append(const std::string& keyName) const {
    // Opened per line so that each line reaches the file at once.
    std::FILE* file = std::fopen(path_.c_str(), "ab");
    if (!file) return false;
    const std::string line = keyName + "\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace zembrot
