// The built program from outside: the time from starting the executable to the first
// frame of the stone on screen, and its resident memory once it shows. The frame is seen
// the way a user sees it, on the X server: the program needs no hook and is told nothing.
// Each start of the program is followed by one of the floor window (StartupFloor.cpp), so the
// figure comes with what the window system and the GL driver alone took in the same minutes.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;
constexpr const char* kCaption = "Facetta";
constexpr auto kTimeout = std::chrono::seconds(20);
constexpr auto kPoll = std::chrono::milliseconds(1);

// Windows come and go while they are looked at; a vanished one is simply not there.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

long PidOf(Display* display, Window window)
{
    const Atom atom = XInternAtom(display, "_NET_WM_PID", True);
    if (atom == None)
        return -1;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr)
        XFree(data);
    return pid;
}

// The viewable top-level window of pid with the main window's caption, or 0.
Window MainWindowOf(Display* display, pid_t pid)
{
    Window root, parent, *children = nullptr, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
    {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable ||
            PidOf(display, children[i]) != pid)
            continue;
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr &&
            std::strcmp(name, kCaption) == 0)
            found = children[i];
        if (name != nullptr)
            XFree(name);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

// Whether the stone shows: some pixel of the view's half of the window, below the menu and
// the toolbar, has the blue of the lit facets (the background and the panel are grey).
bool StoneShows(Display* display, Window window)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, window, &a) || a.width < 8 || a.height < 8)
        return false;
    const int x = 0, y = a.height / 4, w = a.width / 2, h = a.height / 2;
    XImage* image = XGetImage(display, window, x, y, w, h, AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    bool found = false;
    for (int py = 0; py < h && !found; py += 2)
        for (int px = 0; px < w && !found; px += 2)
        {
            const unsigned long p = XGetPixel(image, px, py);
            const int r = (p >> 16) & 0xFF, b = p & 0xFF;
            found = b > r + 60;
        }
    XDestroyImage(image);
    return found;
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// One cold start: exec to the first frame of the stone on screen, in seconds (negative when
// it never showed), and, when asked for, the resident memory once it has settled, in KiB.
struct StartResult
{
    double seconds = -1.0;
    long residentKiB = -1;
};

StartResult StartOnce(Display* display, const char* runtime, const char* executable,
                      bool bReadMemory)
{
    StartResult result;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0)
    {
        setenv("XDG_RUNTIME_DIR", runtime, 1);
        execl(executable, executable, static_cast<char*>(nullptr));
        _exit(127);
    }
    Window window = 0;
    while (Clock::now() - start < kTimeout)
    {
        if (window == 0)
            window = MainWindowOf(display, pid);
        if (window != 0 && StoneShows(display, window))
        {
            result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(kPoll);
    }
    if (bReadMemory)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        result.residentKiB = ResidentKiB(pid);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return result;
}

// kStarts cold starts in a row (each after the previous copy was killed, so each takes over
// the guard it left); the iteration time is their median, the counters give the spread.
// The machine's load is given with them: on a shared 2-core machine a busy neighbour moves
// the median by tens of milliseconds.
constexpr int kStarts = 25;

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double LoadAverage()
{
    double load[1] = {-1.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

void BM_ColdStartToFirstFrame(benchmark::State& state)
{
    Display* display = XOpenDisplay(nullptr);
    XSetErrorHandler(&IgnoreXError);
    char runtime[] = "/tmp/lapido-bench-XXXXXX";
    if (display == nullptr || mkdtemp(runtime) == nullptr)
    {
        state.SkipWithError("no display or no runtime directory");
        return;
    }
    for (auto _ : state)
    {
        const double loadBefore = LoadAverage();
        std::vector<double> times, floorTimes;
        std::vector<long> resident;
        int failures = 0;
        for (int i = 0; i < kStarts; ++i)
        {
            const StartResult r = StartOnce(display, runtime, LAPIDO_EXECUTABLE, true);
            if (r.seconds < 0.0)
                ++failures;
            else
                times.push_back(r.seconds);
            resident.push_back(r.residentKiB);
            const StartResult floor = StartOnce(display, runtime, FLOOR_EXECUTABLE, false);
            if (floor.seconds >= 0.0)
                floorTimes.push_back(floor.seconds);
        }
        std::sort(times.begin(), times.end());
        std::sort(resident.begin(), resident.end());
        const double median = Median(times);
        const double floorMedian = Median(floorTimes);
        state.SetIterationTime(median);
        state.counters["medianMs"] = median * 1e3;
        state.counters["minMs"] = times.empty() ? 0.0 : times.front() * 1e3;
        state.counters["maxMs"] = times.empty() ? 0.0 : times.back() * 1e3;
        state.counters["floorMedianMs"] = floorMedian * 1e3;
        state.counters["aboveFloorMs"] = (median - floorMedian) * 1e3;
        state.counters["residentMedianMiB"] =
            static_cast<double>(resident[resident.size() / 2]) / 1024.0;
        state.counters["startsWithoutStone"] = failures;
        state.counters["loadBefore"] = loadBefore;
        state.counters["loadAfter"] = LoadAverage();
    }
    const std::string lock = std::string(runtime) + "/UniqueName_Lapido.lock";
    unlink(lock.c_str());
    rmdir(runtime);
    XCloseDisplay(display);
}
BENCHMARK(BM_ColdStartToFirstFrame)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
