#include <QCoreApplication>

#include <gtest/gtest.h>

// Network and D-Bus objects expect an application object to exist before them.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
