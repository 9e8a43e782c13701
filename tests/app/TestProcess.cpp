// The built program as a process on the test display: one copy per user session, the close
// confirmation answered from the keyboard, and nothing written beside the executable.
#include "X11Session.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>

namespace
{
constexpr const char* kCaption = "Facetta";
constexpr int kStartTimeoutMs = 15000;

class Process : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        ASSERT_TRUE(m_x.IsOpen()) << "no display";
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void TearDown() override
    {
        for (auto& p : m_vecStarted)
            if (p->state() != QProcess::NotRunning)
            {
                p->kill();
                p->waitForFinished(5000);
            }
    }

    // Starts the program in this test's own user session (its runtime directory); without
    // a display, as from a terminal that has none, where the toolkit could only fail.
    QProcess& Start(bool bDisplay = true)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        if (!bDisplay)
        {
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        }
        // Under the sanitizers, the session-bus connection that libdbus keeps until the
        // process ends shows as a leak whose blocks no stack can attribute. These tests are
        // about the process's behaviour; its memory is checked in process by the ui tests.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) +
                                                           QStringLiteral(":detect_leaks=0"));
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(LAPIDO_EXECUTABLE), {});
        EXPECT_TRUE(process->waitForStarted(5000));
        m_vecStarted.push_back(std::move(process));
        return *m_vecStarted.back();
    }

    X11Session::WindowId MainWindow(QProcess& p)
    {
        return m_x.WaitForWindow(p.processId(), kCaption, kStartTimeoutMs);
    }

    // The close confirmation: the window of p that is not the main window.
    X11Session::WindowId WaitForQuestion(QProcess& p, X11Session::WindowId main)
    {
        for (int i = 0; i < 250; ++i)
        {
            for (X11Session::WindowId w : m_x.WindowsOf(p.processId()))
                if (w != main)
                    return w;
            QThread::msleep(20);
        }
        return 0;
    }

    // Closes p as a user does: the close box, then OK in the question.
    void CloseByUser(QProcess& p)
    {
        const X11Session::WindowId main = MainWindow(p);
        ASSERT_NE(main, 0u);
        m_x.SendClose(main);
        const X11Session::WindowId question = WaitForQuestion(p, main);
        ASSERT_NE(question, 0u) << "no close confirmation";
        EXPECT_TRUE(m_x.SendKey(question, "Return")) << "the question never had the focus";
        ASSERT_TRUE(p.waitForFinished(10000));
        const std::string errors = p.readAllStandardError().toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << errors;
        EXPECT_EQ(p.exitCode(), 0) << errors;
    }

    QTemporaryDir m_runtime;
    X11Session m_x;
    std::vector<std::unique_ptr<QProcess>> m_vecStarted;
};

TEST_F(Process, SecondStartEndsSilentlyAndTheFirstRunsOn)
{
    QProcess& first = Start();
    const X11Session::WindowId window = MainWindow(first);
    ASSERT_NE(window, 0u);

    for (const bool bDisplay : {true, false})
    {
        SCOPED_TRACE(bDisplay ? "with the display" : "without a display");
        QProcess& second = Start(bDisplay);
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(second.readAllStandardOutput().toStdString(), "");
        EXPECT_EQ(second.readAllStandardError().toStdString(), "");
        EXPECT_TRUE(m_x.WindowsOf(second.processId()).empty());
    }

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(MainWindow(first), window);
    CloseByUser(first);
}

TEST_F(Process, EscapeAndCancelKeepItRunningCloseAndOkEndIt)
{
    QProcess& p = Start();
    const X11Session::WindowId main = MainWindow(p);
    ASSERT_NE(main, 0u);
    EXPECT_TRUE(m_x.SendKey(main, "Escape"));
    const X11Session::WindowId question = WaitForQuestion(p, main);
    ASSERT_NE(question, 0u) << "Escape did not ask";
    EXPECT_TRUE(m_x.SendKey(question, "Escape"));
    // The question goes when the program gets to the key; on a busy machine that can take
    // a while, so wait for it rather than for a fixed time.
    std::size_t windows = 0;
    for (int i = 0; i < 250; ++i)
    {
        windows = m_x.WindowsOf(p.processId()).size();
        if (windows <= 1)
            break;
        QThread::msleep(20);
    }
    QThread::msleep(200);
    EXPECT_EQ(p.state(), QProcess::Running);
    EXPECT_EQ(windows, 1u) << "the question is gone, the window stays";
    EXPECT_EQ(m_x.WindowsOf(p.processId()).size(), 1u);

    CloseByUser(p);

    // Nothing was written beside the executable.
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(QStringLiteral(LAPIDO_EXECUTABLE)).absolutePath() +
                                   QStringLiteral("/Lapido.ini")));
}

TEST_F(Process, StartSucceedsAfterTheFirstCopyClosed)
{
    QProcess& first = Start();
    CloseByUser(first);
    QProcess& next = Start();
    EXPECT_NE(MainWindow(next), 0u);
    EXPECT_EQ(next.state(), QProcess::Running);
    CloseByUser(next);
}

TEST_F(Process, GuardOfAKilledCopyDoesNotBlock)
{
    QProcess& first = Start();
    ASSERT_NE(MainWindow(first), 0u);
    first.kill();
    ASSERT_TRUE(first.waitForFinished(5000));
    QProcess& next = Start();
    EXPECT_NE(MainWindow(next), 0u);
    EXPECT_EQ(next.state(), QProcess::Running);
    CloseByUser(next);
}
} // namespace
