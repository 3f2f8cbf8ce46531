#pragma once
// The packager's dry run: reads a game folder's menu script as start-up does,
// lists what it takes and what looks wrong, and runs the launcher's own
// sequences on a platform that only writes down what they would do and when.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "menu/recording_view.h"

namespace menu {

struct FolderCheck {
    struct Sequence {
        std::string name;                // "Play", "Start", "Setup", "S"
        std::vector<std::string> lines;  // "   0.00 s  keys: Space"
    };
    std::vector<std::string> records;   // "line 4  TIMEDELAY  3"
    std::vector<std::string> warnings;  // "line 9: CMD1P names ..."
    std::optional<std::string> report;  // what start-up would stop with
    // The script is not in Windows-1252: which encoding it is in, and what
    // the launcher reads instead.
    std::optional<std::string> wrongEncoding;
    std::vector<Sequence> sequences;

    bool startupSucceeds() const { return !report; }
    // Start-up succeeds and takes at least one record from a script in
    // Windows-1252.
    bool passes() const { return startupSucceeds() && !records.empty() && !wrongEncoding; }
    // All of it, for a person to read.
    std::string text() const;
};

// Checks `folder` as the launcher's working folder, with `pictures` telling
// which pictures would load. `scriptBytes`, when given, stand for
// Data\kelo.pod. Nothing is started, played, sent or written, and the
// process's working folder stays as it is.
FolderCheck checkGameFolder(const std::filesystem::path& folder, const PictureTest& pictures,
                            const std::optional<std::string>& scriptBytes = std::nullopt);

}  // namespace menu
