// The yardstick: a Qt window of the start window's size and colour, nothing else.
#include <QApplication>
#include <QGuiApplication>
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
    window.show();
    return QApplication::exec();
}
