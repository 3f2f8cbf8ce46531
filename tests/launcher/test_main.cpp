#include <gtest/gtest.h>

#include <QApplication>

#include "view/fonts.h"

int main(int argc, char** argv) {
    // Widget tests need no display; listing the tests at build time neither.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    view::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
