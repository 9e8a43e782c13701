#include "platform/Wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace
{
constexpr const char* kObjectProperty = "lapidoWnd";
constexpr const char* kIdProperty = "lapidoCtrlId";

CWnd* g_pCapture = nullptr;

CRect ToCRect(const QRect& r)
{
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}
} // namespace

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMap map = {nullptr, nullptr, 0};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

struct CWnd::Impl
{
    QMetaObject::Connection destroyedConnection;
};

CWnd::CWnd() : m_pImpl(std::make_unique<Impl>()) {}

CWnd::~CWnd()
{
    if (g_pCapture == this)
        ReleaseCapture();
    Detach();
}

BOOL CWnd::Dispatch(Message& msg)
{
    Message* outer = m_pCurrentMsg;
    m_pCurrentMsg = &msg;
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), msg);
    if (entry != nullptr)
        entry->thunk(this, msg);
    else
        msg.result = DefWindowProc(msg);
    m_pCurrentMsg = outer;
    return entry != nullptr ? TRUE : FALSE;
}

BOOL CWnd::SendCommand(UINT nID, UINT nCode)
{
    Message msg;
    msg.message = WM_COMMAND;
    msg.id = nID;
    msg.code = nCode;
    return Dispatch(msg);
}

LRESULT CWnd::Default()
{
    if (m_pCurrentMsg == nullptr)
        return 0;
    Message copy = *m_pCurrentMsg;
    return DefWindowProc(copy);
}

LRESULT CWnd::DefWindowProc(Message&)
{
    return 0;
}

QWindow* CWnd::GetSurfaceWindow() const
{
    return m_pWidget != nullptr ? m_pWidget->windowHandle() : nullptr;
}

void CWnd::DestroyAsChild()
{
    Message msg;
    msg.message = WM_DESTROY;
    Dispatch(msg);
}

void CWnd::Attach(QWidget* pWidget)
{
    Detach();
    m_pWidget = pWidget;
    if (pWidget == nullptr)
        return;
    pWidget->setProperty(kObjectProperty, QVariant::fromValue(static_cast<void*>(this)));
    m_pImpl->destroyedConnection =
        QObject::connect(pWidget, &QObject::destroyed, [this] { m_pWidget = nullptr; });
}

QWidget* CWnd::Detach()
{
    QWidget* old = m_pWidget;
    if (old != nullptr)
    {
        QObject::disconnect(m_pImpl->destroyedConnection);
        if (FromWidget(old) == this)
            old->setProperty(kObjectProperty, QVariant());
    }
    m_pWidget = nullptr;
    return old;
}

BOOL CWnd::SubclassWindow(QWidget* pWidget)
{
    if (pWidget == nullptr)
        return FALSE;
    Attach(pWidget);
    PreSubclassWindow();
    return TRUE;
}

CWnd* CWnd::FromWidget(const QWidget* pWidget)
{
    if (pWidget == nullptr)
        return nullptr;
    return static_cast<CWnd*>(pWidget->property(kObjectProperty).value<void*>());
}

UINT CWnd::GetDlgCtrlID() const
{
    return m_pWidget != nullptr ? m_pWidget->property(kIdProperty).toUInt() : 0;
}

void CWnd::SetDlgCtrlID(QWidget* pWidget, UINT nID)
{
    if (pWidget != nullptr)
        pWidget->setProperty(kIdProperty, nID);
}

CWnd* CWnd::GetDlgItem(int) const
{
    return nullptr;
}

void CWnd::RegisterChild(UINT, QWidget*) {}

CWnd* CWnd::GetParent() const
{
    if (m_pWidget == nullptr)
        return nullptr;
    for (QWidget* w = m_pWidget->parentWidget(); w != nullptr; w = w->parentWidget())
        if (CWnd* wnd = FromWidget(w))
            return wnd;
    return nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    QWidget* client = GetClientWidget();
    if (nCmd != GW_CHILD || client == nullptr)
        return nullptr;
    const auto children = client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        if (CWnd* wnd = FromWidget(child))
            return wnd;
    return nullptr;
}

void CWnd::GetWindowRect(CRect* pRect) const
{
    if (pRect == nullptr)
        return;
    *pRect = CRect();
    if (m_pWidget == nullptr)
        return;
    if (m_pWidget->isWindow())
    {
        *pRect = ToCRect(m_pWidget->frameGeometry());
        return;
    }
    const QPoint origin = m_pWidget->mapToGlobal(QPoint(0, 0));
    *pRect = CRect(origin.x(), origin.y(), origin.x() + m_pWidget->width(),
                   origin.y() + m_pWidget->height());
}

void CWnd::GetClientRect(CRect* pRect) const
{
    if (pRect == nullptr)
        return;
    QWidget* client = GetClientWidget();
    *pRect = client != nullptr ? CRect(0, 0, client->width(), client->height()) : CRect();
}

void CWnd::ScreenToClient(CPoint* pPoint) const
{
    QWidget* client = GetClientWidget();
    if (pPoint == nullptr || client == nullptr)
        return;
    const QPoint p = client->mapFromGlobal(QPoint(pPoint->x, pPoint->y));
    *pPoint = CPoint(p.x(), p.y());
}

void CWnd::ScreenToClient(CRect* pRect) const
{
    if (pRect == nullptr)
        return;
    CPoint tl(pRect->left, pRect->top);
    CPoint br(pRect->right, pRect->bottom);
    ScreenToClient(&tl);
    ScreenToClient(&br);
    *pRect = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::ClientToScreen(CPoint* pPoint) const
{
    QWidget* client = GetClientWidget();
    if (pPoint == nullptr || client == nullptr)
        return;
    const QPoint p = client->mapToGlobal(QPoint(pPoint->x, pPoint->y));
    *pPoint = CPoint(p.x(), p.y());
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_pWidget == nullptr)
        return;
    nWidth = std::max(0, nWidth);
    nHeight = std::max(0, nHeight);
    if (m_pWidget->isWindow())
    {
        m_pWidget->move(x, y);
        m_pWidget->resize(nWidth, nHeight);
    }
    else
    {
        m_pWidget->setGeometry(x, y, nWidth, nHeight);
    }
    if (bRepaint)
        m_pWidget->update();
}

void CWnd::InvalidateRect(const CRect* pRect, BOOL /*bErase*/)
{
    QWidget* client = GetClientWidget();
    if (client == nullptr)
        return;
    if (pRect != nullptr)
        client->update(pRect->left, pRect->top, pRect->Width(), pRect->Height());
    else
        client->update();
}

void CWnd::UpdateWindow()
{
    if (m_pWidget != nullptr && m_pWidget->isVisible())
        m_pWidget->repaint();
}

BOOL CWnd::IsWindowVisible() const
{
    return m_pWidget != nullptr && m_pWidget->isVisible();
}

BOOL CWnd::IsIconic() const
{
    return m_pWidget != nullptr && m_pWidget->window()->isMinimized();
}

void CWnd::ShowWindow(BOOL bShow)
{
    if (m_pWidget != nullptr)
        m_pWidget->setVisible(bShow != FALSE);
}

void CWnd::EnableWindow(BOOL bEnable)
{
    if (m_pWidget != nullptr)
        m_pWidget->setEnabled(bEnable != FALSE);
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = FromWidget(QApplication::focusWidget());
    if (m_pWidget == nullptr)
        return previous;
    // A window of its own (a dialog) hands the focus on to the control that had it last, as
    // a dialog does: the keyboard stays with the edit the user was typing in.
    QWidget* target = m_pWidget;
    if (m_pWidget->isWindow())
        if (QWidget* last = m_pWidget->focusWidget();
            last != nullptr && last->isVisibleTo(m_pWidget) && last->isEnabled())
            target = last;
    target->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetCapture()
{
    return g_pCapture;
}

CWnd* CWnd::SetCapture()
{
    CWnd* previous = g_pCapture;
    if (previous != nullptr && previous != this)
        previous->GrabMouse(false);
    g_pCapture = this;
    GrabMouse(true);
    return previous;
}

void CWnd::GrabMouse(bool bGrab)
{
    if (m_pWidget == nullptr)
        return;
    if (bGrab)
        m_pWidget->grabMouse();
    else
        m_pWidget->releaseMouse();
}

void CWnd::ApplyCursor(const QCursor& cursor)
{
    if (m_pWidget != nullptr)
        m_pWidget->setCursor(cursor);
}

BOOL ReleaseCapture()
{
    CWnd* holder = g_pCapture;
    g_pCapture = nullptr;
    if (holder != nullptr)
        holder->GrabMouse(false);
    return TRUE;
}

void CWnd::SetWindowText(const CString& text)
{
    if (m_pWidget == nullptr)
        return;
    const QString q = QString::fromStdWString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget))
    {
        edit->setText(q);
        // Shown from its first character, as a text the program sets should read; Qt would
        // leave the caret, and so the view, at the end.
        edit->setCursorPosition(0);
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget))
        button->setText(q);
    else if (auto* label = qobject_cast<QLabel*>(m_pWidget))
        label->setText(q);
    else
        m_pWidget->setWindowTitle(q);
}

void CWnd::GetWindowText(CString& text) const
{
    text.clear();
    if (m_pWidget == nullptr)
        return;
    QString q;
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget))
        q = edit->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget))
        q = button->text();
    else if (auto* label = qobject_cast<QLabel*>(m_pWidget))
        q = label->text();
    else
        q = m_pWidget->windowTitle();
    text = q.toStdWString();
}

DWORD CWnd::GetStyle() const
{
    DWORD style = m_dwStyle;
    if (m_pWidget != nullptr)
    {
        style = m_pWidget->isVisible() ? (style | WS_VISIBLE) : (style & ~DWORD(WS_VISIBLE));
        style = m_pWidget->isEnabled() ? (style & ~DWORD(WS_DISABLED)) : (style | WS_DISABLED);
    }
    return style;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD before = m_dwStyle;
    m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
    return before != m_dwStyle;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    Message msg;
    msg.message = message;
    msg.nFlags = static_cast<UINT>(wParam);
    msg.lParam = lParam;
    Dispatch(msg);
    return msg.result;
}
