// Entry point of every GUI test program: one QApplication around the whole GoogleTest run,
// on the display the test command's Xvfb provides.
#include <QApplication>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
