#include "bench_folder.h"

#include <QImage>
#include <QPainter>
#include <fstream>
#include <unistd.h>

#include "script/writer.h"

namespace launcher_bench {

std::filesystem::path makeGameFolder(const std::string& name, int timeDelay3) {
    const auto folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Data");

    script::EditorSnapshot s;
    auto& text = s.text;
    text[2] = "3";
    text[1] = std::to_string(timeDelay3);
    text[3] = "Zembrot";
    text[4] = "The Last Colony";
    text[5] = "16,20,64";
    text[9] = "Comic Sans MS";
    text[10] = "255,206,84";
    text[11] = "20";
    text[25] = "help.bmp";
    text[7] = "Zembrot";
    text[8] = "1";
    text[12] = "3";
    text[13] = "36,150,64";
    text[14] = "Play";
    text[15] = "play.bmp";
    text[16] = "214,128,36";
    text[17] = "Setup";
    text[18] = "setup.bmp";
    text[19] = "52,100,196";
    text[20] = "Help";
    text[21] = "helpbutton.bmp";
    text[22] = "176,36,48";
    text[23] = "Quit";
    text[24] = "quit.bmp";
    text[6] = "click.wav";
    for (int i : {26, 27, 28, 29}) text[static_cast<std::size_t>(i)] = "click.wav";
    s.blnFontBold = s.blnCmd3Visible = s.blnCmd2Visible = true;
    s.intFontBold = s.intCmd3Visible = s.intCmd2Visible = 1;
    s.intButtonSound = 1;
    s.varButtonSound = script::Untyped::number(1);
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
