// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#if defined(LUMVEX_TEST_WIDGETS)
#include <QApplication>
using Application = QApplication;
#elif defined(LUMVEX_TEST_GUI)
#include <QGuiApplication>
using Application = QGuiApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

// Qt's event loop, D-Bus and network objects need an application object before them; pictures and
// menus are made with Qt's fonts, off screen.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#if defined(LUMVEX_TEST_GUI) || defined(LUMVEX_TEST_WIDGETS)
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    Application app(argc, argv);
    return RUN_ALL_TESTS();
}
