#pragma once
// CStatic: the static control that a dialog's frame becomes when a class binds it. Binding
// fills the frame with a native child window of its own, which gets the window's events
// (paint, size, move, mouse, wheel, destroy) as messages through the message map. The 3D
// view derives from it: the native window is the surface its OpenGL context draws into.
//
// The client area is that native window, measured in device pixels: sizes, client points
// and GetClientRect are scaled by the device-pixel ratio, so drawing runs at full
// resolution. Screen points (the wheel's) stay in the window system's own coordinates,
// the ones GetWindowRect and ClientToScreen use.
//
// Its default processing does nothing with any message, and in particular never passes a
// wheel message on to its parent: the view that handled it has made its one zoom step.

#include "platform/Wnd.h"

class QWindow;
class QWidget;
class StaticWindow;

class CStatic : public CWnd
{
public:
    CStatic() = default;
    ~CStatic() override;

    // Fills pFrame with the native client window and routes its events here, then runs
    // PreSubclassWindow. The frame itself stays the window the dialog lays out.
    BOOL SubclassWindow(QWidget* pFrame) override;

    // Destroys the native window (WM_DESTROY reaches the handlers while the object is
    // whole) and unbinds the frame. Nothing when not bound.
    void DestroyWindow();

    void GetClientRect(CRect* pRect) const override;
    // Marks the client area for one paint, which the event loop delivers; a paint already
    // pending absorbs further invalidations.
    void InvalidateRect(const CRect* pRect, BOOL bErase = TRUE) override;
    // Paints at once when the client area is invalid and on screen.
    void UpdateWindow() override;
    // What beginning to paint does: the update region is validated.
    void ValidateRect(const CRect* pRect);
    BOOL IsInvalid() const { return m_bInvalid ? TRUE : FALSE; }

    // The native client window; nullptr when not bound.
    QWindow* GetNativeWindow() const;
    // Device pixels per window-system pixel of the client window (1 when not bound).
    double GetDevicePixelRatio() const;

    // The native client window is what its device contexts draw into.
    QWindow* GetSurfaceWindow() const override;
    // Destroys the native window first, so its context is released while the object is whole.
    void DestroyAsChild() override { DestroyWindow(); }

    void ApplyCursor(const QCursor& cursor) override;

protected:
    void GrabMouse(bool bGrab) override;

private:
    friend class StaticWindow;
    // From the native window.
    void DeliverPaint();
    void ForgetNativeWindow();

    StaticWindow* m_pNative = nullptr;
    QWidget* m_pContainer = nullptr;
    bool m_bInvalid = false;
};
