#include "launcher/error_report.h"

#include <QGuiApplication>
#include <QMessageBox>

#include "menu/start_menu.h"

namespace launcher {

bool displayAvailable() {
    if (!QGuiApplication::instance()) return false;
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

void reportFailure(const script::Failure& failure) {
    menu::printFailure(failure);
    if (!displayAvailable()) return;
    const std::string report = failure.report();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Lorvane"), QString::fromStdString(report),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace launcher
