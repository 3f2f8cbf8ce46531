// The yardstick: a Qt window of the start window's size and colour, nothing
// else; with the argument "text", one line of text in the launcher's font.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <cstring>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(328, 416);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, QColor(16, 20, 64));
    window.setPalette(colours);
    window.setAutoFillBackground(true);
    window.move(QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(164, 208));
    if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
        auto* label = new QLabel(QStringLiteral("Zembrot"), &window);
        label->setFont(QFont(QStringLiteral("Comic Sans MS"), 20, QFont::Bold));
        label->move(48, 40);
    }
    window.show();
    return QApplication::exec();
}
