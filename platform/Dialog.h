#pragma once
// Dialogs from templates. CDialog builds its window from a dialog template: a top-level
// window with the template's menu bar above a client widget of the template's size, and the
// controls placed from dialog units through the base units of the template's font (a label
// whose longest line needs more room than the stand-in font gives it is widened). It turns
// Qt's events into messages of its message map:
//   resize, minimise, restore       WM_SIZE (SIZE_MINIMIZED, SIZE_MAXIMIZED, SIZE_RESTORED)
//   paint of the client area        WM_ERASEBKGND, then WM_PAINT (CPaintDC draws with it)
//   wheel over the dialog's widgets WM_MOUSEWHEEL, screen point, once per event
//   menu item, button, check box    WM_COMMAND with the id (BN_CLICKED)
//   up-down arrow or key            WM_NOTIFY with UDN_DELTAPOS (see CSpinButtonCtrl)
//   close box, Alt+F4               WM_SYSCOMMAND SC_CLOSE, whose default is the cancel command
//   Escape                          the cancel command, WM_COMMAND IDCANCEL, which ends in the
//                                   virtual OnCancel unless the map routes it elsewhere
//   Enter                           the focused push button, else the default button (the
//                                   last default push button of the template) if it is
//                                   visible and enabled; else nothing. Never closes the
//                                   dialog by itself.
//
// Sizing: the window system gives no notification before a resize. The dialog instead asks
// its own WM_SIZING handler once, when the window is shown and after each resize, with a
// proposed window rectangle of zero size dragged at WMSZ_BOTTOMRIGHT; the size the handler
// makes of it is the smallest window (frame included) and becomes the window's minimum size,
// so the window manager stops the border there. Without a WM_SIZING handler there is none.
//
// There is no system menu on this desktop: GetSystemMenu answers nullptr, and WM_SYSCOMMAND
// only carries what the platform itself sends (SC_CLOSE for the close box).

#include "platform/CommonDialogs.h"
#include "platform/Gdi.h"
#include "platform/Wnd.h"

#include <map>
#include <memory>
#include <vector>

class CDialog;
class CMenu;
class DialogWidget;
class QFont;
class QWidget;
struct DialogTemplate;

// System commands.
enum : UINT
{
    SC_CLOSE = 0xF060,
};
// WM_SETICON.
enum : WPARAM
{
    ICON_SMALL = 0,
    ICON_BIG = 1,
};

class CDataExchange
{
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }
    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// Binds rControl to the dialog's control nIDC: the object takes over the control's widget
// (its SubclassWindow, which runs PreSubclassWindow). Once only; later exchanges of the same
// control do nothing. A missing control leaves rControl unbound.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Dialog units to pixels for a font (the base units: mean width of the 52 Latin letters and
// the font's height): x * width / 4, y * height / 8, rounded to the nearest pixel. The
// position and the size are mapped each on its own, as controls are placed.
struct DialogBaseUnits
{
    int cx = 0;
    int cy = 0;
};
DialogBaseUnits GetDialogBaseUnits(const QFont& font);
CRect MapDialogRect(const DialogBaseUnits& units, const CRect& dialogUnits);
// The font that stands in for a template's: the desktop's default sans-serif at its size.
QFont DialogFont(const DialogTemplate& tmpl);

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the window, runs OnInitDialog, shows it and runs the modal loop until
    // EndDialog; then destroys the window (WM_DESTROY to the dialog and its controls) and
    // returns the EndDialog result. An installed modal answerer (CommonDialogs.h) is asked
    // once the dialog is shown and may end it instead. -1 when the template is missing.
    virtual INT_PTR DoModal();
    // Ends the modal loop (or a modeless dialog) with nResult.
    void EndDialog(int nResult);

    // Destroys the window: WM_DESTROY to the dialog, then to each control, then the widgets.
    BOOL DestroyWindow();

    virtual BOOL OnInitDialog();
    virtual void OnOK();     // the IDOK command: UpdateData, then EndDialog(IDOK)
    virtual void OnCancel(); // the IDCANCEL command: EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    CMenu* GetMenu() const override;
    CWnd* GetDlgItem(int nID) const override;
    void RegisterChild(UINT nID, QWidget* pWidget) override;
    // No system menu on this desktop: always nullptr.
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    void SetDlgItemText(int nID, const wchar_t* lpszString);
    void SetDlgItemText(int nID, const CString& text) { SetDlgItemText(nID, text.c_str()); }
    // The control's text; returns its length (0 when there is no such control).
    int GetDlgItemText(int nID, CString& rString) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Decodes WM_COMMAND (wParam: id, code << 16), WM_ERASEBKGND (wParam: the HDC) and
    // WM_SIZE (lParam: cx, cy << 16), and routes the message through Dispatch.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) override;

    QWidget* GetClientWidget() const override;

    // Base handlers: default processing, for handlers of derived dialogs to call.
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, CRect* pRect);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC); // fills the client area with the button face
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnSysCommand(UINT nID, LPARAM lParam);
    HCURSOR OnQueryDragIcon();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

protected:
    // Erasing fills the button face; WM_SETICON keeps the icons; SC_CLOSE is the cancel
    // command.
    LRESULT DefWindowProc(Message& msg) override;

private:
    friend class DialogWidget;
    friend struct PlatformTesting;

    // Modeless: creates the window, runs OnInitDialog and shows it.
    BOOL Create();
    // Id of the default push button: the last one of the template.
    UINT GetDefID() const { return m_nDefID; }
    friend void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

    BOOL CreateFromTemplate(CWnd* pParentWnd);
    void CreateControls();
    void ApplyTabOrder();
    void ApplyMinimumSize();
    void FocusFirstTabStop();
    void PlaceOnScreen();
    void ReleaseControl(CWnd* pControl);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    const DialogTemplate* m_pTemplate = nullptr;
    DialogBaseUnits m_baseUnits;
    DialogWidget* m_pDialogWidget = nullptr;
    QWidget* m_pClient = nullptr;
    std::unique_ptr<CMenu> m_pMenu;
    std::vector<std::unique_ptr<CWnd>> m_vecControls; // the template's own control objects
    std::vector<UINT> m_vecBound;                     // controls bound by DDX_Control
    // The widget of every control by id, the first of an id, while it lives; its object is the
    // template's own or the one bound to it, whichever holds it now.
    std::map<UINT, QWidget*> m_mapControls;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    UINT m_nDefID = 0;
    int m_nResult = 0;
    bool m_bEnded = false;
    bool m_bInModalLoop = false;
};

// The dialog class that the application's dialogs derive from; nothing beyond CDialog.
class CDialogEx : public CDialog
{
public:
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : CDialog(nIDTemplate, pParentWnd)
    {
    }

    DECLARE_MESSAGE_MAP()
};
