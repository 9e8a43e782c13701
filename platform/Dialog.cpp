// The dialog window: creation from the template, the modal loop, ending and destruction,
// and the default processing of its messages.
#include "platform/Dialog.h"

#include "platform/Controls.h"
#include "platform/DialogWidget.h"
#include "platform/Image.h"
#include "platform/Menu.h"
#include "platform/Resource.h"
#include "platform/Styles.h"
#include "platform/WinApp.h"

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace
{
// The dialogs being shown modally, innermost last: the owner of a dialog opened without one.
std::vector<CDialog*>& ModalStack()
{
    static std::vector<CDialog*> stack;
    return stack;
}
} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd)
{
    if (m_pDialogWidget != nullptr)
        return FALSE;
    m_pTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (m_pTemplate == nullptr)
        return FALSE;
    const DialogTemplate& tmpl = *m_pTemplate;

    QWidget* owner = nullptr;
    if (pParentWnd != nullptr && pParentWnd->GetWidget() != nullptr)
        owner = pParentWnd->GetWidget()->window();
    else if (!ModalStack().empty() && ModalStack().back()->GetWidget() != nullptr)
        owner = ModalStack().back()->GetWidget();
    else if (CWnd* main = AfxGetMainWnd(); main != nullptr && main != this && main->GetWidget())
        owner = main->GetWidget()->window();

    Qt::WindowFlags flags = (tmpl.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if (tmpl.style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (tmpl.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tmpl.style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (tmpl.style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;

    auto* widget = new DialogWidget(this, owner, flags);
    m_pDialogWidget = widget;
    widget->setWindowTitle(QString::fromStdWString(tmpl.caption != nullptr ? tmpl.caption : L""));
    widget->setSizeGripEnabled(false);
    const QFont font = DialogFont(tmpl);
    widget->setFont(font);
    m_baseUnits = GetDialogBaseUnits(font);
    Attach(widget);

    if (tmpl.menuId != 0)
    {
        m_pMenu = std::make_unique<CMenu>();
        if (m_pMenu->LoadMenu(tmpl.menuId))
        {
            // The menu lives in the window. Without this a menu bar probes the session bus
            // for a global menu when it is made, and the bus connection outlives the process.
            QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
            widget->m_pMenuBar = new QMenuBar(widget);
            widget->m_pMenuBar->setFont(QApplication::font());
            m_pMenu->BuildMenuBar(widget->m_pMenuBar, this);
        }
        else
        {
            m_pMenu.reset();
        }
    }
    m_pClient = new DialogClientWidget(widget);
    widget->m_pClient = m_pClient;

    const CRect client = MapDialogRect(m_baseUnits, CRect(0, 0, tmpl.cx, tmpl.cy));
    const int barHeight = widget->MenuBarHeight(client.Width());
    widget->resize(client.Width(), client.Height() + barHeight);
    widget->LayoutFrame();
    if (!(tmpl.style & WS_THICKFRAME))
        widget->setFixedSize(widget->size());

    CreateControls();
    ApplyTabOrder();
    return TRUE;
}

void CDialog::ApplyMinimumSize()
{
    if (m_pDialogWidget == nullptr || m_pTemplate == nullptr ||
        !(m_pTemplate->style & WS_THICKFRAME))
        return;
    Message probe;
    probe.message = WM_SIZING;
    if (FindMessageEntry(GetMessageMap(), probe) == nullptr)
        return;
    const QRect frame = m_pDialogWidget->frameGeometry();
    CRect rect(frame.left(), frame.top(), frame.left(), frame.top());
    probe.nFlags = WMSZ_BOTTOMRIGHT;
    probe.pRect = &rect;
    Dispatch(probe);
    // The handler speaks of the whole window; Qt's minimum is of the part inside the frame.
    const int frameWidth = frame.width() - m_pDialogWidget->width();
    const int frameHeight = frame.height() - m_pDialogWidget->height();
    m_pDialogWidget->setMinimumSize(std::max(0, rect.Width() - frameWidth),
                                    std::max(0, rect.Height() - frameHeight));
}

void CDialog::PlaceOnScreen()
{
    QWidget* owner = m_pDialogWidget->parentWidget();
    QRect area;
    if (owner != nullptr && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    const QSize size = m_pDialogWidget->size();
    m_pDialogWidget->move(area.center().x() - size.width() / 2,
                          area.center().y() - size.height() / 2);
}

BOOL CDialog::Create()
{
    if (!CreateFromTemplate(m_pParentWnd))
        return FALSE;
    m_bEnded = false;
    m_nResult = 0;
    if (OnInitDialog())
        FocusFirstTabStop();
    if (m_pDialogWidget != nullptr && !m_bEnded)
    {
        PlaceOnScreen();
        m_pDialogWidget->show();
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (!CreateFromTemplate(m_pParentWnd))
        return -1;
    m_bEnded = false;
    m_nResult = 0;
    ModalStack().push_back(this);
    if (OnInitDialog())
        FocusFirstTabStop();
    if (m_pDialogWidget != nullptr && !m_bEnded)
    {
        m_pDialogWidget->setWindowModality(Qt::ApplicationModal);
        PlaceOnScreen();
        m_pDialogWidget->show();
        ModalRequest request;
        request.kind = ModalKind::Dialog;
        request.caption = m_pTemplate->caption != nullptr ? m_pTemplate->caption : L"";
        request.templateId = m_nIDTemplate;
        request.pDialog = this;
        const int answer = AfxAnswerModal(request);
        if (answer != kRunModal)
        {
            if (!m_bEnded)
                EndDialog(answer);
        }
        else if (!m_bEnded && m_pDialogWidget != nullptr)
        {
            m_bInModalLoop = true;
            m_pDialogWidget->exec();
            m_bInModalLoop = false;
        }
    }
    ModalStack().erase(std::remove(ModalStack().begin(), ModalStack().end(), this),
                       ModalStack().end());
    DestroyWindow();
    return m_nResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    m_bEnded = true;
    if (m_pDialogWidget == nullptr)
        return;
    if (m_bInModalLoop)
        m_pDialogWidget->done(nResult);
    else if (ModalStack().empty() || ModalStack().back() != this)
        m_pDialogWidget->hide(); // a modeless dialog
}

BOOL CDialog::DestroyWindow()
{
    if (m_pDialogWidget == nullptr)
        return FALSE;
    if (GetCapture() != nullptr && GetCapture()->GetWidget() != nullptr &&
        GetCapture()->GetWidget()->window() == m_pDialogWidget)
        ReleaseCapture();
    Message destroy;
    destroy.message = WM_DESTROY;
    Dispatch(destroy);
    // Then every control, parents before their children, while all of them still exist.
    QList<QPointer<QWidget>> children;
    for (QWidget* child : m_pClient->findChildren<QWidget*>())
        children.append(child);
    for (const QPointer<QWidget>& child : children)
    {
        CWnd* control = child.isNull() ? nullptr : CWnd::FromWidget(child);
        if (control == nullptr || control == this)
            continue;
        control->DestroyAsChild();
    }
    DialogWidget* widget = m_pDialogWidget;
    widget->ForgetDialog();
    m_pDialogWidget = nullptr;
    m_pClient = nullptr;
    Detach();
    delete widget; // every control's object forgets its widget as it goes
    m_vecControls.clear();
    m_vecBound.clear();
    m_mapControls.clear();
    m_pMenu.reset();
    m_hIconBig = nullptr;
    m_hIconSmall = nullptr;
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

CMenu* CDialog::GetMenu() const
{
    return m_pDialogWidget != nullptr ? m_pMenu.get() : nullptr;
}

CWnd* CDialog::GetDlgItem(int nID) const
{
    const auto it = m_mapControls.find(static_cast<UINT>(nID));
    return it != m_mapControls.end() ? FromWidget(it->second) : nullptr;
}

void CDialog::RegisterChild(UINT nID, QWidget* pWidget)
{
    if (m_pDialogWidget == nullptr || pWidget == nullptr ||
        !m_mapControls.try_emplace(nID, pWidget).second)
        return;
    QObject::connect(pWidget, &QObject::destroyed, m_pDialogWidget,
                     [this, nID, pWidget]
                     {
                         if (auto it = m_mapControls.find(nID);
                             it != m_mapControls.end() && it->second == pWidget)
                             m_mapControls.erase(it);
                     });
}

CMenu* CDialog::GetSystemMenu(BOOL) const
{
    return nullptr;
}

HICON CDialog::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CDialog::GetIcon(BOOL bBigIcon) const
{
    return bBigIcon ? m_hIconBig : m_hIconSmall;
}

void CDialog::SetDlgItemText(int nID, const wchar_t* lpszString)
{
    if (CWnd* control = GetDlgItem(nID))
        control->SetWindowText(lpszString != nullptr ? lpszString : L"");
}

int CDialog::GetDlgItemText(int nID, CString& rString) const
{
    rString.clear();
    if (CWnd* control = GetDlgItem(nID))
        control->GetWindowText(rString);
    return static_cast<int>(rString.size());
}

LRESULT CDialog::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* control = GetDlgItem(nID);
    return control != nullptr ? control->SendMessage(message, wParam, lParam) : 0;
}

void CDialog::CheckDlgButton(int nIDButton, UINT nCheck)
{
    SendDlgItemMessage(nIDButton, BM_SETCHECK, nCheck);
}

UINT CDialog::IsDlgButtonChecked(int nIDButton) const
{
    CWnd* control = GetDlgItem(nIDButton);
    return control != nullptr ? static_cast<UINT>(control->SendMessage(BM_GETCHECK)) : 0;
}

LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    Message msg;
    msg.message = message;
    msg.nFlags = static_cast<UINT>(wParam);
    msg.lParam = lParam;
    switch (message)
    {
    case WM_COMMAND:
        SendCommand(static_cast<UINT>(wParam & 0xFFFF), static_cast<UINT>((wParam >> 16) & 0xFFFF));
        return 0;
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        msg.pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        break;
    case WM_SIZE:
        msg.cx = static_cast<int>(lParam & 0xFFFF);
        msg.cy = static_cast<int>((lParam >> 16) & 0xFFFF);
        break;
    default:
        break;
    }
    Dispatch(msg);
    return msg.result;
}

LRESULT CDialog::DefWindowProc(Message& msg)
{
    switch (msg.message)
    {
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
    {
        if (msg.pDC != nullptr)
        {
            CRect client;
            GetClientRect(&client);
            msg.pDC->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
        }
        return TRUE;
    }
    case WM_SETICON:
    {
        const auto hIcon = reinterpret_cast<HICON>(msg.lParam);
        HICON& slot = msg.nFlags == ICON_BIG ? m_hIconBig : m_hIconSmall;
        const HICON previous = slot;
        slot = hIcon;
        if (m_pDialogWidget != nullptr)
        {
            const HICON shown = m_hIconBig != nullptr ? m_hIconBig : m_hIconSmall;
            m_pDialogWidget->setWindowIcon(IconOf(shown));
        }
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_SYSCOMMAND:
        if ((msg.nFlags & 0xFFF0) == SC_CLOSE)
            SendCommand(IDCANCEL);
        return 0;
    default:
        return 0;
    }
}

QWidget* CDialog::GetClientWidget() const
{
    return m_pClient;
}

void CDialog::OnSize(UINT, int, int) {}

void CDialog::OnSizing(UINT, CRect*) {}

void CDialog::OnPaint() {}

BOOL CDialog::OnEraseBkgnd(CDC* pDC)
{
    Message msg;
    msg.message = WM_ERASEBKGND;
    msg.pDC = pDC;
    return static_cast<BOOL>(DefWindowProc(msg));
}

BOOL CDialog::OnMouseWheel(UINT, short, CPoint)
{
    return FALSE;
}

void CDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    Message msg;
    msg.message = WM_SYSCOMMAND;
    msg.nFlags = nID;
    msg.lParam = lParam;
    DefWindowProc(msg);
}

HCURSOR CDialog::OnQueryDragIcon()
{
    return nullptr;
}

void CDialog::OnDestroy() {}
