// Draws the desktop's icons of both programs with the programs' own artwork:
// PNG files at the theme's sizes, and an SVG file where Qt can write one.
// Usage: draw_icons OUTPUT_FOLDER SIZE...; writes OUTPUT_FOLDER/<size>x<size>/apps/<name>.png
// for each size and OUTPUT_FOLDER/scalable/apps/<name>.svg.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>
#ifdef HAVE_QT_SVG
#include <QSvgGenerator>
#endif

#include "editor/window_style.h"
#include "launcher/artwork.h"

namespace {

struct Artwork {
    const char* name;
    std::function<void(QPainter&, int)> paint;
};

bool writePng(const Artwork& artwork, int size, const QString& folder) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    artwork.paint(painter, size);
    painter.end();
    const QString subfolder = folder + QStringLiteral("/%1x%1/apps").arg(size);
    return QDir().mkpath(subfolder) && image.save(subfolder + '/' + artwork.name + ".png");
}

#ifdef HAVE_QT_SVG
bool writeSvg(const Artwork& artwork, const QString& folder) {
    // Drawn on a grid large enough that the pixel-sharp pictures take their smooth form.
    const int size = 256;
    const QString subfolder = folder + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(subfolder)) return false;
    QSvgGenerator svg;
    svg.setFileName(subfolder + '/' + artwork.name + ".svg");
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QString::fromLatin1(artwork.name));
    QPainter painter(&svg);
    artwork.paint(painter, size);
    return painter.end();
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: draw_icons OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    const Artwork artworks[] = {
        {"lorvane", [](QPainter& painter, int size) { launcher::paintStartWindowIcon(painter, size); }},
        {"varno", [](QPainter& painter, int size) { editor::paintVarnoIcon(painter, size); }},
    };
    for (const Artwork& artwork : artworks) {
        for (int size : sizes) {
            if (!writePng(artwork, size, folder)) {
                std::fprintf(stderr, "draw_icons: cannot write the %d pixel %s icon in %s\n", size, artwork.name,
                             argv[1]);
                return 1;
            }
        }
#ifdef HAVE_QT_SVG
        if (!writeSvg(artwork, folder)) {
            std::fprintf(stderr, "draw_icons: cannot write the scalable %s icon in %s\n", artwork.name, argv[1]);
            return 1;
        }
#endif
    }
    return 0;
}
