#include "X11Session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace
{
// Windows come and go while they are looked at; a vanished one is simply not there.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

X11Session::X11Session() : m_pDisplay(XOpenDisplay(nullptr))
{
    XSetErrorHandler(&IgnoreXError);
}

X11Session::~X11Session()
{
    if (m_pDisplay != nullptr)
        XCloseDisplay(m_pDisplay);
}

namespace
{
long long PidOf(Display* display, Window window)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return -1;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && count == 1 && format == 32)
        pid = static_cast<long long>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr)
        XFree(data);
    return pid;
}
} // namespace

std::vector<X11Session::WindowId> X11Session::WindowsOf(long long pid)
{
    std::vector<WindowId> windows;
    if (m_pDisplay == nullptr)
        return windows;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_pDisplay, DefaultRootWindow(m_pDisplay), &root, &parent, &children, &count))
        return windows;
    for (unsigned int i = 0; i < count; ++i)
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_pDisplay, children[i], &attributes) &&
            attributes.map_state == IsViewable && PidOf(m_pDisplay, children[i]) == pid)
            windows.push_back(children[i]);
    }
    if (children != nullptr)
        XFree(children);
    return windows;
}

std::string X11Session::NameOf(WindowId window)
{
    if (m_pDisplay == nullptr)
        return {};
    const Atom utf8 = XInternAtom(m_pDisplay, "UTF8_STRING", False);
    const Atom netName = XInternAtom(m_pDisplay, "_NET_WM_NAME", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(m_pDisplay, window, netName, 0, 1024, False, utf8, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr)
        name.assign(reinterpret_cast<char*>(data), count);
    if (data != nullptr)
        XFree(data);
    return name;
}

X11Session::WindowId X11Session::WaitForWindow(long long pid, const std::string& name,
                                               int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do
    {
        for (WindowId window : WindowsOf(pid))
            if (NameOf(window) == name)
                return window;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < end);
    return 0;
}

bool X11Session::SendKey(WindowId window, const char* keyName)
{
    if (m_pDisplay == nullptr)
        return false;
    bool focused = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do
    {
        Window focus = None;
        int revert = 0;
        XGetInputFocus(m_pDisplay, &focus, &revert);
        focused = focus == window;
        if (!focused)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (!focused && std::chrono::steady_clock::now() < end);
    XKeyEvent key = {};
    key.display = m_pDisplay;
    key.window = window;
    key.root = DefaultRootWindow(m_pDisplay);
    key.subwindow = None;
    key.time = CurrentTime;
    key.same_screen = True;
    key.keycode = XKeysymToKeycode(m_pDisplay, XStringToKeysym(keyName));
    key.type = KeyPress;
    XSendEvent(m_pDisplay, window, True, KeyPressMask, reinterpret_cast<XEvent*>(&key));
    key.type = KeyRelease;
    XSendEvent(m_pDisplay, window, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&key));
    XFlush(m_pDisplay);
    return focused;
}

void X11Session::SendClose(WindowId window)
{
    if (m_pDisplay == nullptr)
        return;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_pDisplay, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_pDisplay, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_pDisplay, window, False, NoEventMask, &event);
    XFlush(m_pDisplay);
}
