// Load Data of large state files: the time of one press of "Load Data" and
// the process's peak memory, each case in a process of its own so that one
// case's peak does not hide the next one's.
#include <QApplication>
#include <QLineEdit>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "child_process.h"
#include "editor/frm_main.h"
#include "editor/message_boxes.h"
#include "platform/platform.h"
#include "script/failure.h"

namespace {

namespace fs = std::filesystem;

class NoBoxes : public editor::MessageBoxes {
public:
    std::string failure;
    bool askYesNo(QWidget*, const std::string&, const std::string&) override { return true; }
    void inform(QWidget*, const std::string&, const std::string&) override {}
    editor::SaveAnswer askSaveDiscardCancel(QWidget*, const std::string&, const std::string&) override {
        return editor::SaveAnswer::Discard;
    }
    bool askProceedOrCancel(QWidget*, const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    void reportFailure(QWidget*, const script::Failure& f) override { failure = f.report(); }
};

// A title of 100 KB and 10,000 blank lines after it.
std::string longTitleAndBlankLines() {
    std::string bytes = "TITLE,\"" + std::string(100 * 1024, 'T') + "\"\r\n";
    for (int i = 0; i < 10000; ++i) bytes += "\r\n";
    return bytes;
}

// One title, then a megabyte of commas: a million empty fields.
std::string titleAndOneMegabyteOfCommas() {
    return "TITLE,\"Commas\"\r\n" + std::string(1024 * 1024, ',');
}

// Every record of a compiled state file, repeated to about a megabyte.
std::string oneMegabyteOfRecords() {
    const std::string records =
        "TIMEDELAY,5\r\n;\r\nTIMEDELAY3,1\r\n;\r\nTITLE,\"Zembrot\"\r\n;\r\nBACKCOLOR,\"0,0,128\"\r\n;\r\n"
        "FNT,Comic Sans MS\r\n;\r\nFTB,1\r\n;\r\nSPLASH,1\r\n;\r\nCMD1,\"Play\"\r\n;\r\nBSND,1\r\n;\r\n"
        "CMD1P,\"play.bmp\"\r\n;\r\nCMD3V,1\r\n;\r\nCMD2V,0\r\n;\r\nSLIDE,3\r\n;\r\n";
    std::string bytes;
    while (bytes.size() < 1024 * 1024) bytes += records;
    return bytes;
}

void runCase(const char* name, const std::string& bytes, int argc, char** argv) {
    std::fflush(stdout);
    auto isolated = testing_support::ChildProcess::forked([&]() -> int {
        char pattern[] = "/tmp/varno-load-bench-XXXXXX";
        const fs::path home = mkdtemp(pattern);
        setenv("HOME", home.c_str(), 1);
        fs::create_directories(home / "Varno");
        std::ofstream(home / "Varno" / "kelo.bak", std::ios::binary) << bytes;

        QApplication app(argc, argv);
        auto platform = platform::createLinuxPlatform();
        NoBoxes boxes;
        editor::frmMain window(*platform, boxes);
        const auto start = std::chrono::steady_clock::now();
        window.Command3_Click();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("| %s | %.0f KB | %.2f s | %.0f MB | %s |\n", name, bytes.size() / 1024.0, seconds,
                    usage.ru_maxrss / 1024.0,
                    boxes.failure.empty() ? ("Text3 " + std::to_string(window.Text3->text().size()) +
                                             " characters").c_str()
                                          : boxes.failure.substr(0, 80).c_str());
        std::fflush(stdout);
        fs::remove_all(home);
        _exit(0);  // without tearing the window down: that is no part of the figures
    });
    const auto status = isolated.waitForExit(std::chrono::minutes(10));
    if (status != 0) std::printf("| %s | ended abnormally (%d) |\n", name, status.value_or(-1));
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::printf("| state file | size | Load Data | peak memory of the process | result |\n|---|---|---|---|---|\n");
    runCase("nothing to load (the empty window)", "", argc, argv);
    runCase("100 KB title and 10,000 blank lines", longTitleAndBlankLines(), argc, argv);
    runCase("one title and 1 MB of commas", titleAndOneMegabyteOfCommas(), argc, argv);
    runCase("1 MB of ordinary records", oneMegabyteOfRecords(), argc, argv);
    return 0;
}
