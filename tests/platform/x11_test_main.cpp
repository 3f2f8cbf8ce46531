// Tests that need a real X server: each test program gets a private Xvfb and
// a Qt application on it.
#include <QApplication>
#include <gtest/gtest.h>

#include "xvfb_server.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    testing_support::XvfbServer xvfb;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
