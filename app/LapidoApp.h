#pragma once
// CLapidoApp: the application object. It takes the per-user guard, so that only one copy
// runs, and runs the main dialog modally; the process lives exactly as long as that dialog.

#include "platform/Types.h"
#include "platform/WinApp.h"

class CLapidoApp : public CWinApp
{
public:
    CLapidoApp();
    ~CLapidoApp() override;

    // Always FALSE: once the main dialog has closed the process ends without a message loop.
    BOOL InitInstance() override;

    CString m_strModuleDir; // the executable's directory, ending in the separator
    CString m_strIniPath;   // a settings path beside it; nothing reads, writes or creates it

    DECLARE_MESSAGE_MAP()
};

extern CLapidoApp theApp;

// The directory part of a path, up to and including its last separator; empty when the
// path has none.
CString ModuleDirectoryOf(const CString& path);
