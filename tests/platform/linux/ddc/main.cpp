#include <QCoreApplication>

#include <gtest/gtest.h>

// The controller's timers and the reaping of its child processes run on Qt's event loop.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
