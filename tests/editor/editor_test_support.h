#pragma once
// Helpers for the editor's tests: a home folder of their own and message
// boxes answered without a modal loop.

#include <QLockFile>
#include <QString>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "editor/message_boxes.h"
#include "script/failure.h"

namespace editor_testing {

// Points HOME at a fresh temporary folder for the life of the object.
class TempHome {
public:
    TempHome() {
        char pattern[] = "/tmp/varno-test-XXXXXX";
        path_ = ::mkdtemp(pattern);
        if (const char* old = std::getenv("HOME")) old_ = old;
        ::setenv("HOME", path_.c_str(), 1);
    }
    ~TempHome() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
        ::setenv("HOME", old_.c_str(), 1);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path pod() const { return path_ / "Varno" / "Data" / "kelo.pod"; }
    std::filesystem::path bak() const { return path_ / "Varno" / "kelo.bak"; }

private:
    std::filesystem::path path_;
    std::string old_;
};

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Drops the first line (the date) so two compilations can be compared.
inline std::string withoutDateLine(const std::string& bytes) { return bytes.substr(bytes.find('\n') + 1); }

// Another process that holds the lock file `lockFile` until end() or the
// object's end, as a second editor in the middle of a save would.
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& lockFile)
        : holder_(testing_support::ChildProcess::forked([&lockFile] {
              QLockFile lock(QString::fromStdString(lockFile.string()));
              lock.lock();
              ::pause();
              return 0;
          })) {
        for (int tries = 0; tries < 500 && !std::filesystem::exists(lockFile); ++tries) ::usleep(10000);
    }
    pid_t pid() const { return holder_.pid(); }
    // Killed outright, so the lock file stays behind as a crashed editor leaves it.
    void end() { holder_.kill(); }

private:
    testing_support::ChildProcess holder_;
};

class ScriptedMessages : public editor::MessageBoxes {
public:
    std::vector<std::string> shown;  // "title|text" of each box, in order
    bool answerYes = true;
    std::function<void()> whileInformOpen;

    bool askYesNo(QWidget*, const std::string& title, const std::string& prompt) override {
        shown.push_back(title + "|" + prompt);
        return answerYes;
    }
    void inform(QWidget*, const std::string& title, const std::string& text) override {
        shown.push_back(title + "|" + text);
        if (whileInformOpen) whileInformOpen();
    }
    editor::SaveAnswer saveAnswer = editor::SaveAnswer::Save;
    bool proceed = true;
    editor::SaveAnswer askSaveDiscardCancel(QWidget*, const std::string& title, const std::string& text) override {
        shown.push_back(title + "|" + text);
        return saveAnswer;
    }
    bool askProceedOrCancel(QWidget*, const std::string& title, const std::string& text,
                            const std::string& proceedCaption) override {
        shown.push_back(title + "|" + text + "|" + proceedCaption);
        return proceed;
    }
    void reportFailure(QWidget*, const script::Failure& failure) override {
        shown.push_back("failure|" + failure.report());
    }
};

}  // namespace editor_testing
