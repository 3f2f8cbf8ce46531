// The yardstick for the editor's start-up: a plain Qt window of the
// editor's size with 80 widgets (labels, fields, check boxes, frames,
// buttons and a menu) in the editor's fonts, and nothing behind them.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>

namespace {

QFont controlFont(bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

template <typename Control>
Control* place(Control* control, QWidget* parent, QRect where, bool bold = false) {
    control->setParent(parent);
    control->setFont(controlFont(bold));
    control->setGeometry(where);
    return control;
}

}  // namespace

int main(int argc, char** argv) {
    // Only the work its frame needs: no session bus either.
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication application(argc, argv);
    application.setFont(controlFont(false));
    QMainWindow window;
    auto* client = new QWidget;
    client->setFixedSize(591, 483);
    window.setCentralWidget(client);
    window.menuBar()->setFont(controlFont(false));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));  // 1 widget

    int made = 1;
    for (int frame = 0; frame < 4; ++frame, ++made)  // 4
        place(new QGroupBox(QStringLiteral("Frame %1").arg(frame + 1)), client, {8 + frame * 146, 8, 140, 150}, true);
    for (int row = 0; row < 15; ++row)  // 60: a label and a field, two columns
        for (int column = 0; column < 2; ++column, made += 2) {
            const int x = 8 + column * 292, y = 166 + row * 20;
            place(new QLabel(QStringLiteral("Field %1").arg(row * 2 + column + 1)), client, {x, y, 90, 17}, row % 3 == 0);
            place(new QLineEdit(QStringLiteral("Value %1").arg(row)), client, {x + 96, y, 186, 19});
        }
    for (int box = 0; box < 12; ++box, ++made)  // 12
        place(new QCheckBox(QStringLiteral("Option %1").arg(box + 1)), client,
              {16 + (box % 4) * 146, 30 + (box / 4) * 40, 120, 17}, true);
    for (int button = 0; button < 3; ++button, ++made)  // 3
        place(new QPushButton(QStringLiteral("Button %1").arg(button + 1)), client, {8 + button * 100, 468 - 8, 90, 23});
    Q_ASSERT(made == 80);

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.adjustSize();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    window.show();
    return QApplication::exec();
}
