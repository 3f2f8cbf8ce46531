#include "bench_folder.h"

#include <QImage>
#include <QPainter>
#include <fstream>
#include <unistd.h>

#include "demo_menu.h"
#include "script/writer.h"

namespace launcher_bench {

std::filesystem::path makeGameFolder(const std::string& name, int timeDelay3) {
    const auto folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Data");

    // The demo's menu with a picture on every button and no music.
    script::EditorSnapshot s = demo_menu::packagerSnapshot(demo_menu::Layout::Main);
    s.field("TIMEDELAY3") = std::to_string(timeDelay3);
    s.field("CMD2P") = "setup.bmp";
    s.field("CMD3P") = "helpbutton.bmp";
    s.field("BGMID") = "";
    std::ofstream(folder / "Data" / "kelo.pod", std::ios::binary) << script::writeMenuScript(s, "2026-12-08 10:00:00");

    // Button faces with some drawing on them, so decoding is real work.
    int hue = 0;
    for (const char* picture : {"play.bmp", "setup.bmp", "helpbutton.bmp", "quit.bmp"}) {
        QImage image(640, 480, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor::fromHsv(hue += 70, 200, 180));
        for (int ring = 0; ring < 20; ++ring)
            painter.drawEllipse(QPoint(320, 240), ring * 16, ring * 12);
        painter.end();
        image.save(QString::fromStdString((folder / "Data" / picture).string()), "BMP");
    }
    QImage background(640, 480, QImage::Format_RGB32);
    background.fill(kBackground);
    background.save(QString::fromStdString((folder / "Data" / "background.bmp").string()), "BMP");
    return folder;
}

}  // namespace launcher_bench
