// The program: the resources, then the platform's entry point, which runs the application
// object's InitInstance.
#include "app/LapidoApp.h"

#include "platform/Resource.h"
#include "platform/WinApp.h"
#include "res/Resources.h"

int main(int argc, char** argv)
{
    AfxSetResourceTable(&LapidoResources());
    // The application object lives in the app library; naming it here links it in.
    if (AfxGetApp() != &theApp)
        return 1;
    return AfxWinMain(argc, argv);
}
