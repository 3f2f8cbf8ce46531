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

void printFailure(const script::Failure& failure) {
    std::fprintf(stderr, "lorvane: %s\n", failure.report().c_str());
    std::fflush(stderr);
}

void reportFailure(const script::Failure& failure) {
    printFailure(failure);
    if (!displayAvailable()) return;
    const std::string report = failure.report();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Lorvane"), QString::fromStdString(report),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace launcher
