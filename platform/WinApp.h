#pragma once
// The application object and the process services it uses: the entry point, the per-user
// named guard, the executable's path and the profile-name buffer.
//
// Exactly one CWinApp-derived object exists, a global constructed before main; it registers
// itself (AfxGetApp). The entry point AfxWinMain calls InitInstance, whose base creates the
// QApplication (the first contact with the window system); when InitInstance returns FALSE
// the process ends without a message loop of its own.
// The application object takes commands through a message map like a window, so it is a
// CWnd without a widget.

#include "platform/Wnd.h"

#include <cstddef>
#include <functional>

// The framework's help command (F1).
constexpr UINT ID_HELP = 57670;

class CWinApp : public CWnd
{
public:
    // Without a name the application takes the executable's base name, without extension.
    explicit CWinApp(const wchar_t* lpszAppName = nullptr);
    ~CWinApp() override;

    // Connects to the window system (creates the QApplication) unless the process already
    // has an application. A derived class calls it once it knows the process goes on.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The default help handler: there is no help to show.
    void OnHelp();

    const wchar_t* m_pszAppName = nullptr; // owned by the object
    const wchar_t* m_pszExeName = nullptr; // owned by the object
    // "<executable base name>.INI" until changed; a malloc'ed buffer that the application
    // may free and replace (AfxAllocProfileName), freed by the destructor.
    const wchar_t* m_pszProfileName = nullptr;
    CWnd* m_pMainWnd = nullptr;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The application's name: the application object's, or else the executable's base name.
const wchar_t* AfxGetAppName();

// The entry point: keeps argc/argv for the QApplication, calls InitInstance of the
// application object, runs the application's loop when it returns TRUE, and returns the
// process's exit code (ExitInstance's).
int AfxWinMain(int argc, char** argv);

// The profile-name buffer of nChars wide characters, zero-filled, to be freed with free();
// nullptr when the allocation fails. Tests replace the allocator to make it fail.
wchar_t* AfxAllocProfileName(std::size_t nChars);
using ProfileAllocator = std::function<void*(std::size_t nBytes)>;
// An empty function restores malloc. Returns the previous allocator.
ProfileAllocator AfxSetProfileAllocator(ProfileAllocator allocator);

// Process services.
using HANDLE = struct GuardHandle*;
using HMODULE = void*;
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// The per-user named guard: a lock file named after lpName in the user's runtime directory
// ($XDG_RUNTIME_DIR, or a private per-user directory when that is unset). With a handle and
// GetLastError() == ERROR_SUCCESS this process holds the guard; ERROR_ALREADY_EXISTS means a
// live process holds it (the handle then owns nothing). A lock left by a process that died
// is taken over. nullptr when the lock file cannot be made (ERROR_ACCESS_DENIED).
// lpMutexAttributes and bInitialOwner are accepted for the caller's sake; the guard is
// always owned by the process that takes it.
HANDLE CreateMutexW(void* lpMutexAttributes, BOOL bInitialOwner, const wchar_t* lpName);
// Releases the guard (the application never does; it holds it for the life of the process).
BOOL CloseHandle(HANDLE hObject);
DWORD GetLastError();
// The lock file that stands for the guard of that name.
CString AfxGetGuardPath(const wchar_t* lpName);

// The executable's full path (nullptr module: this process). Copies at most nSize - 1
// characters and a terminator; returns the characters copied, or nSize when the path was
// cut (GetLastError then gives ERROR_INSUFFICIENT_BUFFER); 0 on failure.
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
DWORD GetModuleFileNameW(HMODULE hModule, wchar_t* lpFilename, DWORD nSize);
// The same, whole.
CString AfxGetModuleFileName();
