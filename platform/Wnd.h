#pragma once
// CWnd: the window object every dialog, control and the 3D view derive from. It wraps the
// Qt widget that is the window, routes messages through the class's message map and offers
// the window operations the application calls (geometry, invalidation, focus, capture).

#include "platform/MessageMap.h"
#include "platform/Types.h"

#include <memory>

class CMenu;
class QCursor;
class QWidget;
class QWindow;

// GetWindow relations.
enum : UINT
{
    GW_CHILD = 5,
};

// Window styles the application reads or changes.
enum : DWORD
{
    WS_CHILD = 0x40000000,
    WS_VISIBLE = 0x10000000,
    WS_DISABLED = 0x08000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_TABSTOP = 0x00010000,
};

class CWnd
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    virtual const MessageMap* GetMessageMap() const;
    static const MessageMap* GetThisMessageMap();

    // The one route of a message to this window: the handler this window's message map (or
    // a base's) has for it, else the window's default processing. TRUE when a handler ran;
    // msg.result holds what it, or the default processing, returned.
    BOOL Dispatch(Message& msg);
    // Routes WM_COMMAND with the id and notification code, as a menu item, a button and a
    // toolbar button do. TRUE when a handler took it.
    BOOL SendCommand(UINT nID, UINT nCode = BN_CLICKED);
    // The default processing of the message being handled; 0 outside one.
    virtual LRESULT Default();

    // The widget that is this window; nullptr before it is created or bound, and after it
    // is destroyed.
    QWidget* GetWidget() const { return m_pWidget; }
    BOOL IsWindow() const { return m_pWidget != nullptr; }

    // Binds this object to an existing child control (the dialog's data exchange does this).
    // Runs PreSubclassWindow once the object is attached.
    virtual BOOL SubclassWindow(QWidget* pWidget);
    virtual void PreSubclassWindow() {}

    UINT GetDlgCtrlID() const;
    // Gives the window's widget its control id (dialogs do this for each template item).
    static void SetDlgCtrlID(QWidget* pWidget, UINT nID);
    // The child control of that id; windows other than dialogs have none.
    virtual CWnd* GetDlgItem(int nID) const;
    // A child window of that id now exists on pWidget, for GetDlgItem to find while it lives.
    virtual void RegisterChild(UINT nID, QWidget* pWidget);
    CWnd* GetParent() const;
    CWnd* GetWindow(UINT nCmd) const;

    void GetWindowRect(CRect* pRect) const;         // screen coordinates, frame included
    virtual void GetClientRect(CRect* pRect) const; // left and top 0
    void ScreenToClient(CRect* pRect) const;
    void ScreenToClient(CPoint* pPoint) const;
    void ClientToScreen(CPoint* pPoint) const;
    // A negative size is given to the window system as zero.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);

    virtual void InvalidateRect(const CRect* pRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    virtual void UpdateWindow();

    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void ShowWindow(BOOL bShow);
    void EnableWindow(BOOL bEnable);

    CWnd* SetFocus();
    // Grabs the mouse for this window until ReleaseCapture; returns the previous holder.
    CWnd* SetCapture();
    void SetWindowText(const CString& text);
    void GetWindowText(CString& text) const;

    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);

    // Sends a message straight to this window's handlers (and the built-in behaviour of its
    // control kind, e.g. BM_SETCHECK on a check box).
    virtual LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The window that currently has the mouse captured, or nullptr.
    static CWnd* GetCapture();
    // The CWnd bound to a widget, or nullptr.
    static CWnd* FromWidget(const QWidget* pWidget);

    // The widget whose area is this window's client area: the window itself, except for a
    // dialog, whose client area lies below its menu bar.
    virtual QWidget* GetClientWidget() const { return m_pWidget; }
    // The native window that a device context of this window draws into.
    virtual QWindow* GetSurfaceWindow() const;
    // The window's menu; only dialogs have one.
    virtual CMenu* GetMenu() const { return nullptr; }
    // The dialog holding this control is being destroyed: WM_DESTROY reaches the handlers
    // while the control and its widget are whole.
    virtual void DestroyAsChild();

protected:
    // Attaches the object to its widget (and the widget to the object). The object forgets
    // the widget by itself when the widget is destroyed first.
    void Attach(QWidget* pWidget);
    QWidget* Detach();
    // Starts or ends the mouse grab of SetCapture; the 3D view grabs on its native window.
    virtual void GrabMouse(bool bGrab);
    // What the window does with a message no handler takes.
    virtual LRESULT DefWindowProc(Message& msg);

public:
    // Shows a cursor over this window (the platform's SetCursor lands here); the 3D view
    // sets it on its native window.
    virtual void ApplyCursor(const QCursor& cursor);

protected:
    QWidget* m_pWidget = nullptr;
    DWORD m_dwStyle = WS_VISIBLE;

private:
    // Qt's side of the binding (the connection that forgets a destroyed widget), out of this
    // header so that code above the platform builds without Qt's headers.
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    Message* m_pCurrentMsg = nullptr; // while Dispatch runs, for Default
    friend BOOL ReleaseCapture();
};

BOOL ReleaseCapture();
