#include "app/LapidoApp.h"

#include "platform/CommonDialogs.h"
#include "ui/LapidoDlg.h"

#include <cstdlib>
#include <cwchar>

namespace
{
// The name the user sees, in every message box's caption; the executable is "lapido".
constexpr const wchar_t* kAppName = L"Lapido";
constexpr const wchar_t* kGuardName = L"UniqueName_Lapido";
constexpr const wchar_t* kIniFileName = L"Lapido.ini";
constexpr const wchar_t* kMemoryShortage = L"Memory Shorttage ... Abort !        ";
// Wide characters of the profile-name buffer.
constexpr std::size_t kProfileNameChars = 260;

// Held for the life of the process; only its end lets go of the guard.
HANDLE g_hGuard = nullptr;
} // namespace

CLapidoApp theApp;

// F1's help command goes to the framework's own handler (a base-class member, which the
// ON_COMMAND form cannot name); there is no help content.
#define ON_HELP_COMMAND() {WM_COMMAND, 0, ID_HELP, &msgmap::Void<CWinApp, &CWinApp::OnHelp>},

BEGIN_MESSAGE_MAP(CLapidoApp, CWinApp)
ON_HELP_COMMAND()
END_MESSAGE_MAP()

CLapidoApp::CLapidoApp() : CWinApp(kAppName) {}

CLapidoApp::~CLapidoApp() = default;

CString ModuleDirectoryOf(const CString& path)
{
    const std::size_t separator = path.find_last_of(L'/');
    return separator == CString::npos ? CString() : path.substr(0, separator + 1);
}

BOOL CLapidoApp::InitInstance()
{
    // Before any window exists and before the window system is reached, so a second copy
    // never shows a window nor prints a word, display or no display.
    if (g_hGuard == nullptr)
    {
        HANDLE hGuard = CreateMutexW(nullptr, TRUE, kGuardName);
        if (hGuard == nullptr)
            return FALSE;
        if (GetLastError() == ERROR_ALREADY_EXISTS)
        {
            CloseHandle(hGuard); // it owns nothing
            return FALSE;
        }
        g_hGuard = hGuard;
    }

    CWinApp::InitInstance();

    m_strModuleDir = ModuleDirectoryOf(AfxGetModuleFileName());
    m_strIniPath = m_strModuleDir + kIniFileName;

    if (m_pszProfileName != nullptr)
    {
        std::free(const_cast<wchar_t*>(m_pszProfileName));
        // Forgotten at once: should the allocation fail, nothing is freed twice.
        m_pszProfileName = nullptr;
        wchar_t* pszProfileName = AfxAllocProfileName(kProfileNameChars);
        if (pszProfileName == nullptr)
        {
            AfxMessageBox(kMemoryShortage, MB_ICONERROR);
            return FALSE;
        }
        std::wcsncpy(pszProfileName, m_strIniPath.c_str(), kProfileNameChars - 1);
        m_pszProfileName = pszProfileName;
    }

    {
        CLapidoDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
