// Entry point of every GUI test program: one QApplication around the whole GoogleTest run,
// on the display the test command's Xvfb provides, with the application's resources.
#include "platform/Resource.h"
#include "res/Resources.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    AfxSetResourceTable(&LapidoResources());
    return RUN_ALL_TESTS();
}
