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
    s.field("TIMEDELAY") = "3";
    s.field("TIMEDELAY3") = std::to_string(timeDelay3);
    s.field("TITLE") = "Zembrot";
    s.field("TITLE2") = "The Last Colony";
    s.field("BACKCOLOR") = "16,20,64";
    s.field("FNT") = "Comic Sans MS";
    s.field("LBL1-2") = "255,206,84";
    s.field("FONTSIZE") = "20";
    s.field("INFOP") = "help.bmp";
    s.field("SPLTXT") = "Zembrot";
    s.field("SPTIM") = "1";
    s.field("SLIDE") = "3";
    s.field("CMD1BC") = "36,150,64";
    s.field("CMD1") = "Play";
    s.field("CMD1P") = "play.bmp";
    s.field("CMD2BC") = "214,128,36";
    s.field("CMD2") = "Setup";
    s.field("CMD2P") = "setup.bmp";
    s.field("CMD3BC") = "52,100,196";
    s.field("CMD3") = "Help";
    s.field("CMD3P") = "helpbutton.bmp";
    s.field("CMD5BC") = "176,36,48";
    s.field("CMD5") = "Quit";
    s.field("CMD5P") = "quit.bmp";
    s.field("BSNDH") = "click.wav";
    for (const char* keyword : {"PLAWV", "SETUWV", "HELWV", "STOWV"}) s.field(keyword) = "click.wav";
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
