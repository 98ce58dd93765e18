// Entry point of the test binaries of the layers without windows: an application object without
// a display, so these tests run (and link) without Qt Widgets.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
