// Writes the demo game folder's media into <folder>/Data: pictures, the click
// sound, the menu music, and the intro clip's frames into <frames folder>.
//
// Usage: demo_media <folder> <frames folder>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "pictures.h"
#include "sound_files.h"

namespace {

bool writeBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

bool savePicture(const QImage& image, const QString& path, const char* format) {
    if (image.save(path, format)) return true;
    std::fprintf(stderr, "demo_media: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: demo_media <folder> <frames folder>\n");
        return 2;
    }
    // Drawing text needs a GUI application, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString data = QString::fromLocal8Bit(argv[1]) + "/Data";
    const QString frames = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(data) || !QDir().mkpath(frames)) {
        std::fprintf(stderr, "demo_media: cannot create the folders\n");
        return 1;
    }
    using namespace demo_media;
    bool ok = savePicture(logo(), data + "/logo.bmp", "BMP") &&
              savePicture(buttonFace("PLAY", QColor(36, 150, 64)), data + "/play.bmp", "BMP") &&
              savePicture(buttonFace("QUIT", QColor(176, 36, 48)), data + "/quit.bmp", "BMP") &&
              savePicture(helpPicture(), data + "/help.bmp", "BMP");
    const int rate = 22050;
    ok = ok && writeBytes(data + "/click.wav", wavFile(clickSamples(rate), rate)) &&
         writeBytes(data + "/theme.mid", themeMidi());
    const int frameCount = 60;  // four seconds at 15 frames a second
    for (int i = 0; ok && i < frameCount; ++i)
        ok = savePicture(clipFrame(i, frameCount), QString("%1/frame%2.png").arg(frames).arg(i, 3, 10, QChar('0')),
                         "PNG");
    if (!ok) std::fprintf(stderr, "demo_media: writing the media failed\n");
    return ok ? 0 : 1;
}
