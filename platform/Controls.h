#pragma once
// The child controls a dialog builds from its template: push buttons and check boxes, edits,
// up-down buttons and labels. Each is a CWnd over its Qt widget, so GetDlgItem finds it and
// SendMessage reaches the control kind's built-in behaviour.

#include "platform/Wnd.h"

class QAbstractButton;
class QLineEdit;

// Button messages and check states.
enum : UINT
{
    BM_GETCHECK = 0x00F0,
    BM_SETCHECK = 0x00F1,
};
enum : UINT
{
    BST_UNCHECKED = 0,
    BST_CHECKED = 1,
};

// Push button or automatic check box. A click sends WM_COMMAND (BN_CLICKED, the button's id)
// to the dialog; a check box has already toggled itself by then.
class CButton : public CWnd
{
public:
    CButton() = default;

    int GetCheck() const;      // BST_CHECKED or BST_UNCHECKED
    void SetCheck(int nCheck); // no click is reported
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) override;

    // Binds to the widget and routes its clicks to the window that owns the control.
    void AttachButton(QAbstractButton* pButton, CWnd* pOwner);

private:
    QAbstractButton* Button() const;
};

class CEdit : public CWnd
{
public:
    CEdit() = default;
    void AttachEdit(QLineEdit* pEdit);
};

// An up-down button: a narrow pair of arrows. Every press of an arrow, every automatic repeat
// while it is held, and (with UDS_ARROWKEYS) every Up or Down key in the buddy edit sends
// WM_NOTIFY with UDN_DELTAPOS and an NMUPDOWN to the owner: iDelta -1 for up, +1 for down.
// It notifies at every press whatever its range; nothing reads a position, so it keeps none.
class CSpinButtonCtrl : public CWnd
{
public:
    CSpinButtonCtrl() = default;

    // Builds the two arrows inside pWidget and routes them to pOwner; with UDS_ARROWKEYS in
    // dwStyle the Up and Down keys of pBuddy step too.
    void AttachUpDown(QWidget* pWidget, CWnd* pOwner, CWnd* pBuddy, DWORD dwStyle);

    // Names the arrows for assistive technology: "<row> up" and "<row> down".
    void SetAccessibleRowName(const CString& row);

private:
    friend class ArrowKeyFilter;
    friend struct PlatformTesting;
    // What a press of the up arrow (iDelta -1) or the down arrow (+1) does.
    void NotifyDelta(int iDelta);

    CWnd* m_pOwner = nullptr;
    CWnd* m_pBuddy = nullptr;
};
