#include "platform/WinApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

struct GuardHandle
{
    std::unique_ptr<QLockFile> pLock;
    bool bOwned = false;
};

namespace
{
CWinApp* g_pApp = nullptr;
// The command line the window system's application is made from, and that application.
int g_argc = 0;
char** g_argv = nullptr;
std::unique_ptr<QApplication> g_pGuiApp;
thread_local DWORD g_dwLastError = ERROR_SUCCESS;

ProfileAllocator& Allocator()
{
    static ProfileAllocator allocator;
    return allocator;
}

// A malloc'ed copy, so every string member is freed the same way.
wchar_t* DupString(const CString& text)
{
    auto* copy = static_cast<wchar_t*>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy != nullptr)
        std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

void FreeString(const wchar_t*& text)
{
    std::free(const_cast<wchar_t*>(text));
    text = nullptr;
}

CString ExecutablePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return CString();
    return QFile::decodeName(QByteArray::fromStdString(path.string())).toStdWString();
}

// Base name without extension.
CString ExecutableName()
{
    const CString path = ExecutablePath();
    if (path.empty())
        return L"app";
    return QFileInfo(QString::fromStdWString(path)).completeBaseName().toStdWString();
}

// The per-user runtime directory; empty when there is none that only this user can use.
QString RuntimeDirectory()
{
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QFileInfo(xdg).isDir())
        return xdg;
    const QString dir =
        QDir::tempPath() + QStringLiteral("/lapido-runtime-") + QString::number(::getuid());
    const QByteArray native = QFile::encodeName(dir);
    ::mkdir(native.constData(), 0700);
    struct stat info = {};
    // Someone else's directory, or a link planted in its place, is not ours to trust.
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid() || (info.st_mode & 0077) != 0)
        return QString();
    return dir;
}
} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CWnd)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const wchar_t* lpszAppName)
{
    g_pApp = this;
    const CString exeName = ExecutableName();
    m_pszExeName = DupString(exeName);
    m_pszAppName = DupString(lpszAppName != nullptr ? CString(lpszAppName) : exeName);
    m_pszProfileName = DupString(exeName + L".INI");
}

CWinApp::~CWinApp()
{
    FreeString(m_pszAppName);
    FreeString(m_pszExeName);
    FreeString(m_pszProfileName);
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    // The window system is reached here, not before: whatever runs ahead of this (a guard
    // that ends a second copy) works without a display and prints nothing. A host that made
    // its own application keeps it.
    if (QCoreApplication::instance() == nullptr)
    {
        static char s_name[] = "lapido";
        static char* s_argv[] = {s_name, nullptr};
        if (g_argv == nullptr)
        {
            g_argc = 1;
            g_argv = s_argv;
        }
        g_pGuiApp = std::make_unique<QApplication>(g_argc, g_argv);
    }
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

const wchar_t* AfxGetAppName()
{
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr)
        return g_pApp->m_pszAppName;
    static const CString name = ExecutableName();
    return name.c_str();
}

int AfxWinMain(int argc, char** argv)
{
    // QApplication keeps a reference to the count for its whole life.
    g_argc = argc;
    g_argv = argv;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 1;
    if (pApp->InitInstance() && QCoreApplication::instance() != nullptr)
        QCoreApplication::exec();
    const int code = pApp->ExitInstance();
    g_pGuiApp.reset();
    return code;
}

wchar_t* AfxAllocProfileName(std::size_t nChars)
{
    const std::size_t bytes = nChars * sizeof(wchar_t);
    void* memory = Allocator() ? Allocator()(bytes) : std::malloc(bytes);
    if (memory != nullptr)
        std::memset(memory, 0, bytes);
    return static_cast<wchar_t*>(memory);
}

ProfileAllocator AfxSetProfileAllocator(ProfileAllocator allocator)
{
    ProfileAllocator previous = std::move(Allocator());
    Allocator() = std::move(allocator);
    return previous;
}

CString AfxGetGuardPath(const wchar_t* lpName)
{
    const QString dir = RuntimeDirectory();
    if (dir.isEmpty())
        return CString();
    QString name = QString::fromStdWString(lpName != nullptr ? lpName : L"");
    // The name is one file name, whatever it holds.
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QLatin1Char('_'));
    return (dir + QLatin1Char('/') + name + QStringLiteral(".lock")).toStdWString();
}

HANDLE CreateMutexW(void*, BOOL, const wchar_t* lpName)
{
    const CString path = AfxGetGuardPath(lpName);
    if (path.empty())
    {
        g_dwLastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    auto handle = std::make_unique<GuardHandle>();
    handle->pLock = std::make_unique<QLockFile>(QString::fromStdWString(path));
    // Only a dead holder makes a lock stale, never its age: a guard is held for a lifetime.
    handle->pLock->setStaleLockTime(0);
    if (handle->pLock->tryLock(0))
    {
        handle->bOwned = true;
        g_dwLastError = ERROR_SUCCESS;
        return handle.release();
    }
    if (handle->pLock->error() == QLockFile::LockFailedError)
    {
        g_dwLastError = ERROR_ALREADY_EXISTS;
        return handle.release();
    }
    g_dwLastError = ERROR_ACCESS_DENIED;
    return nullptr;
}

BOOL CloseHandle(HANDLE hObject)
{
    if (hObject == nullptr)
        return FALSE;
    delete hObject; // an owned lock is released with it
    return TRUE;
}

DWORD GetLastError()
{
    return g_dwLastError;
}

DWORD GetModuleFileNameW(HMODULE, wchar_t* lpFilename, DWORD nSize)
{
    const CString path = ExecutablePath();
    if (path.empty() || lpFilename == nullptr || nSize == 0)
    {
        g_dwLastError = ERROR_ACCESS_DENIED;
        return 0;
    }
    if (path.size() >= nSize)
    {
        std::wmemcpy(lpFilename, path.c_str(), nSize - 1);
        lpFilename[nSize - 1] = L'\0';
        g_dwLastError = ERROR_INSUFFICIENT_BUFFER;
        return nSize;
    }
    std::wmemcpy(lpFilename, path.c_str(), path.size() + 1);
    g_dwLastError = ERROR_SUCCESS;
    return static_cast<DWORD>(path.size());
}

CString AfxGetModuleFileName()
{
    return ExecutablePath();
}
