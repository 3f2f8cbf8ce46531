// The start screen preview: how long one redraw takes after a field changes,
// against the 16.7 ms of one frame at 60 Hz. Runs on Qt's offscreen platform
// with the demo's fields and its game folder (pictures included).
// Run: bin/varno_preview_bench [game folder]
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "editor/check_box.h"
#include "editor/frm_main.h"
#include "editor/message_boxes.h"
#include "editor/start_preview.h"
#include "view/fonts.h"
#include "platform/platform.h"

namespace {

class NoBoxes : public editor::MessageBoxes {
public:
    bool askYesNo(QWidget*, const std::string&, const std::string&) override { return true; }
    void inform(QWidget*, const std::string&, const std::string&) override {}
    editor::SaveAnswer askSaveDiscardCancel(QWidget*, const std::string&, const std::string&) override {
        return editor::SaveAnswer::Discard;
    }
    bool askProceedOrCancel(QWidget*, const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    void reportFailure(QWidget*, const script::Failure&) override {}
};

double milliseconds(std::chrono::steady_clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    view::installFontSubstitutions();
    const std::filesystem::path folder = argc > 1 ? argv[1] : DEMO_FOLDER;

    auto platform = platform::createLinuxPlatform();
    NoBoxes boxes;
    editor::frmMain window(*platform, boxes);
    // The demo's fields.
    const auto texts = std::vector<std::pair<int, const char*>>{
        {2, "3"}, {1, "1"}, {3, "Zembrot"}, {4, "The Last Colony"}, {5, "16,20,64"}, {9, "Comic Sans MS"},
        {10, "255,206,84"}, {11, "20"}, {7, "Zembrot"}, {8, "1"}, {12, "3"}, {13, "36,150,64"}, {14, "Play"},
        {15, "play.bmp"}, {16, "214,128,36"}, {17, "Setup"}, {19, "52,100,196"}, {20, "Help"},
        {22, "176,36,48"}, {23, "Quit"}, {24, "quit.bmp"}};
    for (const auto& [n, text] : texts) window.Text(n)->setText(QString::fromLatin1(text));
    for (int n : {1, 4, 7}) window.Check(n)->setValue(1);

    editor::StartPreview& preview = *window.preview();
    preview.setGameFolder(QString::fromStdString(folder.string()));
    window.mnuStartScreenPreview_Click();
    QCoreApplication::processEvents();

    std::vector<double> redraws;
    for (int round = 0; round < 60; ++round) {
        window.Text3->setText(QStringLiteral("Zembrot %1").arg(round));
        if (round % 10 == 0) window.Check(2)->setValue(round % 20 == 0 ? 1 : 0);
        const auto start = std::chrono::steady_clock::now();
        QCoreApplication::processEvents();  // the one turn of the loop that redraws
        redraws.push_back(milliseconds(std::chrono::steady_clock::now() - start));
    }
    std::sort(redraws.begin(), redraws.end());
    std::printf("| preview redraw after a change | median %.2f ms | 90th percentile %.2f ms | worst %.2f ms |"
                " frame 16.67 ms |\n",
                redraws[redraws.size() / 2], redraws[redraws.size() * 9 / 10], redraws.back());
    std::printf("| status | %s |\n", preview.status()->text().toStdString().c_str());
    return 0;
}
