// The application object and the process services: the per-user named guard (taken, busy,
// taken over from a killed holder), the executable's path and the profile-name buffer.

#include "platform/WinApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr const wchar_t* kGuardName = L"UniqueName_Lapido";

// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QByteArray* value) : m_name(name)
    {
        m_bHad = qEnvironmentVariableIsSet(name);
        m_old = qgetenv(name);
        if (value != nullptr)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_bHad)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_bHad = false;
    QByteArray m_old;
};

class CCountingApp : public CWinApp
{
public:
    int m_nHelp = 0;
    void OnHelp()
    {
        ++m_nHelp;
        CWinApp::OnHelp();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()
} // namespace

// Run by the test below in a child process: takes the guard and holds it until killed.
TEST(GuardChild, HoldUntilKilled)
{
    if (!qEnvironmentVariableIsSet("LAPIDO_GUARD_CHILD"))
        GTEST_SKIP() << "only as the child of NamedGuard.BusyWhileHeldTakenOverAfterAKill";
    HANDLE guard = CreateMutexW(nullptr, TRUE, kGuardName);
    std::printf(guard != nullptr && GetLastError() == ERROR_SUCCESS ? "held\n" : "failed\n");
    std::fflush(stdout);
    for (;;)
        QThread::msleep(100);
}

TEST(NamedGuard, TakenThenBusyThenFreeAgain)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QByteArray dir = QFile::encodeName(runtime.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", &dir);

    const CString path = AfxGetGuardPath(kGuardName);
    EXPECT_EQ(QFileInfo(QString::fromStdWString(path)).absolutePath(), runtime.path());

    HANDLE first = CreateMutexW(nullptr, TRUE, kGuardName);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(QFile::exists(QString::fromStdWString(path)));

    HANDLE second = CreateMutexW(nullptr, TRUE, kGuardName);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(CloseHandle(second));
    // Closing the busy handle did not release the guard.
    HANDLE third = CreateMutexW(nullptr, TRUE, kGuardName);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(third);

    // Another name is another guard.
    HANDLE other = CreateMutexW(nullptr, TRUE, L"Other_Lapido");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(other);

    EXPECT_TRUE(CloseHandle(first));
    HANDLE again = CreateMutexW(nullptr, TRUE, kGuardName);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(again);
    EXPECT_FALSE(CloseHandle(nullptr));
}

TEST(NamedGuard, BusyWhileHeldTakenOverAfterAKill)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QByteArray dir = QFile::encodeName(runtime.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", &dir);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LAPIDO_GUARD_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=GuardChild.HoldUntilKilled")});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray out;
    while (!out.contains("held\n") && !out.contains("failed") && child.waitForReadyRead(10000))
        out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("held\n")) << out.toStdString();

    HANDLE busy = CreateMutexW(nullptr, TRUE, kGuardName);
    EXPECT_NE(busy, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(busy);

    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    // The killed holder left its lock behind; the next process takes it over.
    EXPECT_TRUE(QFile::exists(QString::fromStdWString(AfxGetGuardPath(kGuardName))));
    HANDLE taken = CreateMutexW(nullptr, TRUE, kGuardName);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(taken);
}

TEST(NamedGuard, WithoutRuntimeDirectoryAPrivateOneServes)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QByteArray tmpDir = QFile::encodeName(tmp.path());
    ScopedEnv tmpEnv("TMPDIR", &tmpDir);
    ScopedEnv xdg("XDG_RUNTIME_DIR", nullptr);

    const QString path = QString::fromStdWString(AfxGetGuardPath(kGuardName));
    const QString dir = QFileInfo(path).absolutePath();
    EXPECT_TRUE(dir.startsWith(tmp.path())) << path.toStdString();
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(dir).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::getuid());
    HANDLE guard = CreateMutexW(nullptr, TRUE, kGuardName);
    EXPECT_NE(guard, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(guard);

    // A directory others can write to is not trusted with the guard.
    ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0777), 0);
    EXPECT_EQ(CreateMutexW(nullptr, TRUE, kGuardName), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ::chmod(QFile::encodeName(dir).constData(), 0700);
}

TEST(NamedGuard, NamesStayInsideTheRuntimeDirectory)
{
    QTemporaryDir runtime;
    const QByteArray dir = QFile::encodeName(runtime.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", &dir);
    for (const wchar_t* name : {L"../../escape", L"a/b", L"", L".hidden", L"Unique Name\u00e9"})
    {
        const QString path = QString::fromStdWString(AfxGetGuardPath(name));
        EXPECT_EQ(QFileInfo(path).absolutePath(), runtime.path()) << path.toStdString();
        EXPECT_FALSE(QFileInfo(path).fileName().startsWith(QLatin1Char('.')));
    }
}

TEST(ModuleFileName, IsTheExecutablesPathAndReportsTruncation)
{
    const CString expected = QCoreApplication::applicationFilePath().toStdWString();
    EXPECT_EQ(AfxGetModuleFileName(), expected);

    wchar_t buffer[260] = {};
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 260), DWORD(expected.size()));
    EXPECT_EQ(CString(buffer), expected);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

    wchar_t small[8];
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 8), 8u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(CString(small), expected.substr(0, 7));
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 0), 0u);
}

TEST(ProfileName, BufferComesFromTheAllocatorAndCanFail)
{
    wchar_t* buffer = AfxAllocProfileName(260);
    ASSERT_NE(buffer, nullptr);
    for (int i = 0; i < 260; ++i)
        ASSERT_EQ(buffer[i], L'\0');
    std::free(buffer);

    std::size_t asked = 0;
    AfxSetProfileAllocator(
        [&](std::size_t bytes) -> void*
        {
            asked = bytes;
            return nullptr;
        });
    EXPECT_EQ(AfxAllocProfileName(260), nullptr);
    EXPECT_EQ(asked, 260 * sizeof(wchar_t));
    AfxSetProfileAllocator({});
    buffer = AfxAllocProfileName(4);
    EXPECT_NE(buffer, nullptr);
    std::free(buffer);
}

TEST(WinApp, NamesComeFromTheExecutableAndHelpIsRouted)
{
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CCountingApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(CString(app.m_pszAppName), L"test_platform");
        EXPECT_EQ(CString(AfxGetAppName()), L"test_platform");
        EXPECT_EQ(CString(app.m_pszProfileName), L"test_platform.INI");
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(AfxGetMainWnd(), nullptr);

        // The profile name may be replaced by a buffer of the application's own.
        std::free(const_cast<wchar_t*>(app.m_pszProfileName));
        wchar_t* buffer = AfxAllocProfileName(260);
        ASSERT_NE(buffer, nullptr);
        std::wcsncpy(buffer, L"/opt/x/Lapido.ini", 259);
        app.m_pszProfileName = buffer;
        EXPECT_EQ(CString(app.m_pszProfileName), L"/opt/x/Lapido.ini");

        EXPECT_TRUE(app.SendCommand(ID_HELP));
        EXPECT_EQ(app.m_nHelp, 1);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(CString(AfxGetAppName()), L"test_platform");

    CWinApp named(L"Named");
    EXPECT_EQ(CString(AfxGetAppName()), L"Named");
}
