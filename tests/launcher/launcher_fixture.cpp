#include "launcher_fixture.h"

#include <QApplication>
#include <fstream>

namespace launcher_tests {

LauncherTest::LauncherTest() {
    previousFolder_ = std::filesystem::current_path();
    folder = std::filesystem::temp_directory_path() /
             ("lorvane-test-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Data");
    std::filesystem::current_path(folder);
    windows = std::make_unique<launcher::LauncherWindows>(system);
    windows->onLastWindowUnloaded = [this] { ++launcherEnded; };
    windows->onUncaughtFailure = [this](const script::Failure& failure) { uncaughtFailure = failure; };
}

LauncherTest::~LauncherTest() {
    windows.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::current_path(previousFolder_);
    std::filesystem::remove_all(folder);
}

void LauncherTest::writeFile(const std::string& relativePath, const std::string& bytes) {
    std::filesystem::create_directories((folder / relativePath).parent_path());
    std::ofstream out(folder / relativePath, std::ios::binary);
    out << bytes;
}

void LauncherTest::writeScript(const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += "\r\n";
        else bytes += c;
    }
    writeFile("Data/kelo.pod", bytes);
}

void LauncherTest::writePicture(const std::string& relativePath, int width, int height, const QColor& colour) {
    std::filesystem::create_directories((folder / relativePath).parent_path());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString((folder / relativePath).string()), "BMP"));
}

launcher::start& LauncherTest::load() {
    try {
        windows->loadStart();
    } catch (const script::Failure& failure) {
        startupFailure = failure;
    }
    return *windows->startWindow();
}

std::uint32_t pixelOf(QWidget& widget, int x, int y) {
    const QImage image = widget.grab().toImage();
    return image.pixel(x, y) & 0xFFFFFF;
}

}  // namespace launcher_tests
