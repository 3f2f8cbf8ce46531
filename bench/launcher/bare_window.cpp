// The yardsticks for the launcher's start-up, each a plain Qt program:
//   (no argument)  a window of the start window's size and colour, nothing else;
//   text           the same with one line of text in the launcher's font;
//   same-work      the same with everything the demo's start window shows
//                  first: its labels and buttons in the same fonts and its
//                  two button pictures, read from the working folder;
//   sized-before-map  the same work, with the title and the hint sized to
//                  their text before the window maps, as the launcher must
//                  place its self-sizing labels before its window shows.
#include <QApplication>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

const QColor kWindowColour(16, 20, 64), kTitleColour(255, 206, 84);

QLabel* label(QWidget* window, const QString& text, int points, bool bold, QRect place) {
    auto* control = new QLabel(text, window);
    control->setFont(QFont(QStringLiteral("Comic Sans MS"), points, bold ? QFont::Bold : QFont::Normal));
    QPalette colours = control->palette();
    colours.setColor(QPalette::WindowText, kTitleColour);
    control->setPalette(colours);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setGeometry(place);
    return control;
}

void pictureButton(QWidget* window, const char* file, QRect place) {
    QImageReader reader(QString::fromLatin1(file), "bmp");
    reader.setAutoDetectImageFormat(false);
    auto* button = new QLabel(window);
    button->setPixmap(QPixmap::fromImage(reader.read()));
    button->setGeometry(place);
}

void captionButton(QWidget* window, const QString& caption, QColor face, QRect place) {
    auto* button = new QLabel(caption, window);
    button->setAlignment(Qt::AlignCenter);
    button->setFont(QFont(QStringLiteral("Comic Sans MS"), 14));
    button->setAutoFillBackground(true);
    QPalette colours = button->palette();
    colours.setColor(QPalette::Window, face);
    button->setPalette(colours);
    button->setGeometry(place);
}

void showTheDemoScreen(QWidget* window, bool sizeBeforeMap) {
    QLabel* title = label(window, QStringLiteral("Zembrot"), 20, true, {48, 40, 217, 41});
    label(window, QStringLiteral("The Last Colony"), 20, true, {40, 97, 249, 81});
    QLabel* hint = label(window, QStringLiteral("Press S to skip Intro"), 8, true, {100, 209, 130, 22});
    hint->setAlignment(Qt::AlignHCenter);
    if (sizeBeforeMap) {
        // The title keeps its top left corner, the hint its middle.
        title->resize(title->sizeHint());
        const QSize hintSize = hint->sizeHint();
        hint->setGeometry(165 - hintSize.width() / 2, hint->y(), hintSize.width(), hintSize.height());
    }
    pictureButton(window, "Data/play.bmp", {120, 240, 89, 35});
    captionButton(window, QStringLiteral("Help"), QColor(52, 100, 196), {120, 288, 89, 35});
    pictureButton(window, "Data/quit.bmp", {120, 336, 89, 35});
    captionButton(window, QStringLiteral("Setup"), QColor(214, 128, 36), {120, 376, 89, 35});
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    const bool sizedBeforeMap = std::strcmp(mode, "sized-before-map") == 0;
    const bool sameWork = sizedBeforeMap || std::strcmp(mode, "same-work") == 0;
    // The floor does only the work its frame needs: no session bus either.
    if (sameWork && !std::getenv("DBUS_SESSION_BUS_ADDRESS")) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(328, 416);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, kWindowColour);
    window.setPalette(colours);
    window.setAutoFillBackground(true);
    window.move(QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(164, 208));
    if (std::strcmp(mode, "text") == 0 || sameWork)
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    if (std::strcmp(mode, "text") == 0) label(&window, QStringLiteral("Zembrot"), 20, true, {48, 40, 217, 41});
    if (sameWork) showTheDemoScreen(&window, sizedBeforeMap);
    window.show();
    return QApplication::exec();
}
