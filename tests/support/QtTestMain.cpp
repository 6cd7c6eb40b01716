// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#ifdef LUMVEX_TEST_GUI
#include <QGuiApplication>
using Application = QGuiApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

// Qt's event loop, D-Bus and network objects need an application object before them; pictures are
// painted with Qt's fonts, off screen.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef LUMVEX_TEST_GUI
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    Application app(argc, argv);
    return RUN_ALL_TESTS();
}
