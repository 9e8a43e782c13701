// Entry point of every GUI test program: one QApplication around the whole GoogleTest run,
// on the display the test command's Xvfb provides, with the application's resources.
#include "platform/Resource.h"
#include "res/Resources.h"

#include <QApplication>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#endif

int main(int argc, char** argv)
{
#if defined(__SANITIZE_ADDRESS__)
    // The software rasterizer is unloaded when the display closes, before the leak check
    // runs, and its own allocations would then be reported from an unknown module. Kept
    // loaded, they carry its name and the suppressions can tell them from ours.
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    AfxSetResourceTable(&LapidoResources());
    return RUN_ALL_TESTS();
}
