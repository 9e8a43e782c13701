#pragma once
// Message maps: each window class has one static table of {message, notification code,
// control id, handler}. The platform turns Qt events and signals into a Message and looks
// it up in the table of the window's class and then of its bases; tests dispatch through
// the same path a menu click takes.

#include "platform/Types.h"

#include <cstddef>

class CWnd;
class CDC;

// Message identifiers (values as the desktop vocabulary defines them).
enum : UINT
{
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_PAINT = 0x000F,
    WM_ERASEBKGND = 0x0014,
    WM_ICONERASEBKGND = 0x0027,
    WM_QUERYDRAGICON = 0x0037,
    WM_NOTIFY = 0x004E,
    WM_SETICON = 0x0080,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MOUSEWHEEL = 0x020A,
    WM_SIZING = 0x0214,
};

// Notification codes carried by WM_COMMAND and WM_NOTIFY.
enum : UINT
{
    BN_CLICKED = 0,
    UDN_DELTAPOS = static_cast<UINT>(-722),
};

// WM_SIZE types.
enum : UINT
{
    SIZE_RESTORED = 0,
    SIZE_MINIMIZED = 1,
    SIZE_MAXIMIZED = 2,
};

// Edges and corners of WM_SIZING.
enum : UINT
{
    WMSZ_LEFT = 1,
    WMSZ_RIGHT = 2,
    WMSZ_TOP = 3,
    WMSZ_TOPLEFT = 4,
    WMSZ_TOPRIGHT = 5,
    WMSZ_BOTTOM = 6,
    WMSZ_BOTTOMLEFT = 7,
    WMSZ_BOTTOMRIGHT = 8,
};

// Mouse key-state flags.
enum : UINT
{
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

struct NMHDR
{
    CWnd* pFrom = nullptr;
    UINT idFrom = 0;
    UINT code = 0;
};

struct NMUPDOWN
{
    NMHDR hdr;
    int iPos = 0;
    int iDelta = 0;
};

using HICON = const struct IconHandle*;
using HCURSOR = HICON;

// Everything a handler may take from a message; which fields count depends on `message`.
struct Message
{
    UINT message = 0;
    UINT id = 0;     // command or control id (WM_COMMAND, WM_NOTIFY)
    UINT code = 0;   // notification code (BN_CLICKED, UDN_DELTAPOS)
    UINT nFlags = 0; // key state; size type (WM_SIZE); side (WM_SIZING); id (WM_SYSCOMMAND)
    CPoint point;    // client point; screen point for WM_MOUSEWHEEL; position for WM_MOVE
    int cx = 0;      // WM_SIZE
    int cy = 0;
    short zDelta = 0;           // WM_MOUSEWHEEL
    CRect* pRect = nullptr;     // WM_SIZING: proposed window rectangle, screen coordinates
    CDC* pDC = nullptr;         // WM_ERASEBKGND, WM_ICONERASEBKGND
    NMHDR* pNMHDR = nullptr;    // WM_NOTIFY
    LRESULT* pResult = nullptr; // WM_NOTIFY
    LPARAM lParam = 0;
    LRESULT result = 0; // what the handler returned, where it returns something
};

using MessageThunk = void (*)(CWnd* target, Message& msg);

struct MessageMapEntry
{
    UINT message;
    UINT code;
    UINT id;
    MessageThunk thunk;
};

struct MessageMap
{
    const MessageMap* base; // the base class's map, nullptr at the root
    const MessageMapEntry* entries;
    std::size_t count;
};

// The first entry of `map` or its bases that matches `msg`, or nullptr.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, const Message& msg);

namespace msgmap
{
template <class T, void (T::*F)()> void Void(CWnd* w, Message&) { (static_cast<T*>(w)->*F)(); }
template <class T, void (T::*F)(UINT, int, int)> void Size(CWnd* w, Message& m)
{
    (static_cast<T*>(w)->*F)(m.nFlags, m.cx, m.cy);
}
template <class T, void (T::*F)(int, int)> void Move(CWnd* w, Message& m)
{
    (static_cast<T*>(w)->*F)(m.point.x, m.point.y);
}
template <class T, void (T::*F)(UINT, CRect*)> void Sizing(CWnd* w, Message& m)
{
    (static_cast<T*>(w)->*F)(m.nFlags, m.pRect);
}
template <class T, BOOL (T::*F)(CDC*)> void EraseBkgnd(CWnd* w, Message& m)
{
    m.result = (static_cast<T*>(w)->*F)(m.pDC);
}
template <class T, void (T::*F)(UINT, CPoint)> void Mouse(CWnd* w, Message& m)
{
    (static_cast<T*>(w)->*F)(m.nFlags, m.point);
}
template <class T, BOOL (T::*F)(UINT, short, CPoint)> void Wheel(CWnd* w, Message& m)
{
    m.result = (static_cast<T*>(w)->*F)(m.nFlags, m.zDelta, m.point);
}
template <class T, void (T::*F)(UINT, LPARAM)> void SysCommand(CWnd* w, Message& m)
{
    (static_cast<T*>(w)->*F)(m.nFlags, m.lParam);
}
template <class T, HCURSOR (T::*F)()> void QueryDragIcon(CWnd* w, Message& m)
{
    m.result = reinterpret_cast<LRESULT>((static_cast<T*>(w)->*F)());
}
template <class T, void (T::*F)(NMHDR*, LRESULT*)> void Notify(CWnd* w, Message& m)
{
    (static_cast<T*>(w)->*F)(m.pNMHDR, m.pResult);
}
} // namespace msgmap

#define DECLARE_MESSAGE_MAP()                                                                  \
public:                                                                                        \
    const MessageMap* GetMessageMap() const override;                                          \
    static const MessageMap* GetThisMessageMap();

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }          \
    const MessageMap* theClass::GetThisMessageMap()                                            \
    {                                                                                          \
        using ThisClass [[maybe_unused]] = theClass; /* unused in an empty map */              \
        using TheBaseClass = baseClass;                                                        \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                      \
    {0, 0, 0, nullptr}                                                                         \
    }                                                                                          \
    ;                                                                                          \
    static const MessageMap map = {TheBaseClass::GetThisMessageMap(), entries,                 \
                                   sizeof(entries) / sizeof(entries[0]) - 1};                  \
    return &map;                                                                               \
    }

#define ON_WM_PAINT() {WM_PAINT, 0, 0, &msgmap::Void<ThisClass, &ThisClass::OnPaint>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, &msgmap::Void<ThisClass, &ThisClass::OnDestroy>},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, &msgmap::Size<ThisClass, &ThisClass::OnSize>},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, &msgmap::Move<ThisClass, &ThisClass::OnMove>},
#define ON_WM_SIZING() {WM_SIZING, 0, 0, &msgmap::Sizing<ThisClass, &ThisClass::OnSizing>},
#define ON_WM_ERASEBKGND()                                                                     \
    {WM_ERASEBKGND, 0, 0, &msgmap::EraseBkgnd<ThisClass, &ThisClass::OnEraseBkgnd>},
#define ON_WM_MOUSEWHEEL()                                                                     \
    {WM_MOUSEWHEEL, 0, 0, &msgmap::Wheel<ThisClass, &ThisClass::OnMouseWheel>},
#define ON_WM_MOUSEMOVE()                                                                      \
    {WM_MOUSEMOVE, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnMouseMove>},
#define ON_WM_LBUTTONDOWN()                                                                    \
    {WM_LBUTTONDOWN, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONUP()                                                                      \
    {WM_LBUTTONUP, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnLButtonUp>},
#define ON_WM_RBUTTONDOWN()                                                                    \
    {WM_RBUTTONDOWN, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnRButtonDown>},
#define ON_WM_RBUTTONUP()                                                                      \
    {WM_RBUTTONUP, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnRButtonUp>},
#define ON_WM_MBUTTONDOWN()                                                                    \
    {WM_MBUTTONDOWN, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnMButtonDown>},
#define ON_WM_MBUTTONUP()                                                                      \
    {WM_MBUTTONUP, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::OnMButtonUp>},
#define ON_WM_SYSCOMMAND()                                                                     \
    {WM_SYSCOMMAND, 0, 0, &msgmap::SysCommand<ThisClass, &ThisClass::OnSysCommand>},
#define ON_WM_QUERYDRAGICON()                                                                  \
    {WM_QUERYDRAGICON, 0, 0, &msgmap::QueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon>},
// A handler of another name for a mouse message (one handler shared by two buttons).
#define ON_MOUSE_MESSAGE(message, memberFxn)                                                   \
    {message, 0, 0, &msgmap::Mouse<ThisClass, &ThisClass::memberFxn>},
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, id, &msgmap::Void<ThisClass, &ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn)                                                           \
    {WM_COMMAND, BN_CLICKED, id, &msgmap::Void<ThisClass, &ThisClass::memberFxn>},
#define ON_NOTIFY(code, id, memberFxn)                                                         \
    {WM_NOTIFY, code, id, &msgmap::Notify<ThisClass, &ThisClass::memberFxn>},
