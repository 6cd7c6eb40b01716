// SPDX-License-Identifier: MIT
#include <QApplication>

#include <gtest/gtest.h>

// The tray needs a GUI application (painting, icons, menus); tests run it without a display.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
