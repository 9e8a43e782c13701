#pragma once
// The display the tests run on, seen from outside the program under test: its top-level
// windows by process, their names, and the input a user would give them (keys, the close
// box), sent as X events.

#include <string>
#include <vector>

struct _XDisplay;

class X11Session
{
public:
    using WindowId = unsigned long;

    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    bool IsOpen() const { return m_pDisplay != nullptr; }

    // The viewable top-level windows that the process pid made.
    std::vector<WindowId> WindowsOf(long long pid);
    std::string NameOf(WindowId window);
    // The first viewable window of pid named `name`, 0 when none shows within timeoutMs.
    WindowId WaitForWindow(long long pid, const std::string& name, int timeoutMs);

    // A key press and release of the key named like "Escape" or "Return", once the window
    // has the input focus (the toolkit hands keys to its focus window, whatever window an
    // event names). False when the focus does not arrive within 5 s; the key is sent anyway.
    bool SendKey(WindowId window, const char* keyName);
    // What the window manager sends when the user clicks the close box.
    void SendClose(WindowId window);

private:
    _XDisplay* m_pDisplay = nullptr;
};
