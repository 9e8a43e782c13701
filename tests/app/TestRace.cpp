// The single-instance guard under a race: copies of the program started at the same instant
// in one user session give exactly one window, and the others end silently with status 0.
// A holder killed outright leaves its guard behind, and the next start takes it over.
#include "X11Session.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kRacers = 8;
constexpr const char* kCaption = "Facetta";
constexpr int kWindowTimeoutMs = 15000;
constexpr int kExitTimeoutMs = 15000;

// Forks `count` children that all wait on one pipe and then exec the program together,
// in the user session whose runtime directory is `runtimeDir`.
std::vector<pid_t> StartTogether(int count, const std::string& runtimeDir)
{
    int gate[2];
    if (pipe(gate) != 0)
        return {};
    std::vector<pid_t> pids;
    for (int i = 0; i < count; ++i)
    {
        const pid_t pid = fork();
        if (pid == 0)
        {
            close(gate[1]);
            char byte;
            while (read(gate[0], &byte, 1) < 0 && errno == EINTR)
            {
            }
            setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
            execl(LAPIDO_EXECUTABLE, LAPIDO_EXECUTABLE, static_cast<char*>(nullptr));
            _exit(127);
        }
        if (pid > 0)
            pids.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]); // every child's read returns at once: the start signal
    return pids;
}

// Waits up to timeoutMs for pid to end; its exit status, or -1 while it still runs.
int WaitForExit(pid_t pid, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 10)
    {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        QThread::msleep(10);
    }
    return -1;
}

void Kill(pid_t pid)
{
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}
} // namespace

TEST(GuardRace, SimultaneousStartsGiveOneWindowAndSilentExits)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    X11Session x;
    ASSERT_TRUE(x.IsOpen()) << "no display";

    const std::vector<pid_t> racers = StartTogether(kRacers, runtime.path().toStdString());
    ASSERT_EQ(racers.size(), static_cast<size_t>(kRacers));

    // The copies that lost end by themselves with status 0; the winner keeps running.
    std::vector<pid_t> running;
    int silentExits = 0;
    for (pid_t pid : racers)
    {
        const int status = WaitForExit(pid, running.empty() ? 3000 : kExitTimeoutMs);
        if (status == -1)
            running.push_back(pid);
        else if (status == 0)
            ++silentExits;
        else
            ADD_FAILURE() << "a losing copy ended with status " << status;
    }
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(silentExits, kRacers - 1);
    const pid_t holder = running.front();
    EXPECT_NE(x.WaitForWindow(holder, kCaption, kWindowTimeoutMs), 0u);
    for (pid_t pid : racers)
    {
        if (pid != holder)
        {
            EXPECT_TRUE(x.WindowsOf(pid).empty());
        }
    }

    // Killed outright, the holder cannot release its guard; the next start still works.
    Kill(holder);
    const std::vector<pid_t> next = StartTogether(1, runtime.path().toStdString());
    ASSERT_EQ(next.size(), 1u);
    EXPECT_NE(x.WaitForWindow(next.front(), kCaption, kWindowTimeoutMs), 0u);
    EXPECT_EQ(WaitForExit(next.front(), 0), -1) << "the start after the kill ended";
    Kill(next.front());
}
