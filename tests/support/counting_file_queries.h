#pragma once
// The system's answers about files, with every question counted.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "script/windows_path.h"

namespace testing_support {

class CountingFileQueries : public script::FileQueries {
public:
    Kind kindOf(const std::filesystem::path& path) override {
        ++kindQuestions[path];
        return script::systemFileQueries().kindOf(path);
    }
    std::vector<std::string> namesIn(const std::filesystem::path& folder) override {
        ++folderPasses[folder];
        return script::systemFileQueries().namesIn(folder);
    }

    int total() const {
        int sum = 0;
        for (const auto& counts : {&kindQuestions, &folderPasses})
            for (const auto& [path, times] : *counts) sum += times;
        return sum;
    }
    // The most times one path was asked about, in either way.
    int mostAskedOnePath() const {
        int most = 0;
        for (const auto& counts : {&kindQuestions, &folderPasses})
            for (const auto& [path, times] : *counts) most = std::max(most, times);
        return most;
    }
    int passesOver(const std::filesystem::path& folder) const {
        const auto found = folderPasses.find(folder);
        return found == folderPasses.end() ? 0 : found->second;
    }

    std::map<std::filesystem::path, int> kindQuestions, folderPasses;
};

}  // namespace testing_support
