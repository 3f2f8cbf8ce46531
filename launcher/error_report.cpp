#include "launcher/error_report.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace launcher {

bool displayAvailable() {
    if (!QGuiApplication::instance()) return false;
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

void reportFailure(const script::Failure& failure) {
    const std::string report = failure.report();
    std::fprintf(stderr, "lorvane: %s\n", report.c_str());
    std::fflush(stderr);
    if (!displayAvailable()) return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Lorvane"), QString::fromStdString(report),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace launcher
