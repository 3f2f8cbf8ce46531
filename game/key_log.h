#pragma once
// zembrot.log in the working folder: one line per key the game received,
// written and flushed before the key is acted on, so whoever reads the log
// sees every key that arrived, even if the game is killed right after.

#include <string>

namespace zembrot {

class KeyLog {
public:
    explicit KeyLog(std::string path = "zembrot.log") : path_(std::move(path)) {}
    // Returns false when the line could not be written.
    bool append(const std::string& keyName) const;

private:
    std::string path_;
};

}  // namespace zembrot
