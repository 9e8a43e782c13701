#pragma once
// Hosts a dialog for a test: creates it modelessly from its template (window, controls,
// OnInitDialog), shows it and waits until it is on screen; destroys the window at the end.
// Controls are driven through their real widgets, as a user would.

#include "platform/Dialog.h"

#include <Qt>

class QAction;
class QWidget;

class DialogHost
{
public:
    explicit DialogHost(CDialog& dialog, bool bShow = true);
    ~DialogHost();
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    CDialog& Dialog() const { return m_dialog; }
    bool Created() const { return m_bCreated; }
    QWidget* Window() const { return m_dialog.GetWidget(); }
    // The widget of control nID; nullptr when there is none.
    QWidget* Control(int nID) const;

    bool WaitExposed(int timeoutMs = 5000);
    // Runs the event loop for a while, so that posted events and paints arrive.
    static void ProcessEvents(int ms = 20);

    // A left click in the middle of the control's widget.
    bool Click(int nID);
    // A key pressed and released on the control's widget (the focused widget for 0).
    bool Key(int nID, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Chooses the menu item as a click on it would (its action triggered).
    bool ChooseMenu(UINT nID);
    QAction* MenuAction(UINT nID) const;
    // One wheel notch (delta 120 up, -120 down) over the middle of the control's widget.
    bool Wheel(int nID, int delta);

private:
    CDialog& m_dialog;
    bool m_bCreated = false;
};

// The notification one press of up-down nSpinID sends its owner (iDelta -1 up, +1 down), as
// the control sends it. False when the owner has no handler; *pResult gets its result.
bool SendSpinDelta(CWnd& owner, UINT nSpinID, int iDelta, LRESULT* pResult = nullptr);
