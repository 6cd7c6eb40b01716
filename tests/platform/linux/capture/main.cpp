#include <QGuiApplication>

#include <gtest/gtest.h>

// The sampler hands its figures over through Qt's event loop, which needs an application object; the
// test frames are painted with Qt's fonts, off screen.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
