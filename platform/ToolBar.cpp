#include "platform/ToolBar.h"

#include "platform/Image.h"
#include "platform/Menu.h"

#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

#include <vector>

struct CToolBar::Button
{
    UINT nID = 0;
    UINT nStyle = TBBS_BUTTON;
    int iImage = -1;
    QPointer<QToolButton> pWidget;
};

struct CToolBar::Impl
{
    std::vector<Button> buttons;
    std::vector<QPixmap> images;
};

// The bar's window: draws the borders its bar style asks for.
class ToolBarWidget : public QWidget
{
public:
    ToolBarWidget(CToolBar* pBar, QWidget* parent) : QWidget(parent), m_pBar(pBar) {}
    void ForgetBar() { m_pBar = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_pBar == nullptr)
            return;
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        const int right = width() - 1;
        const int bottom = height() - 1;
        if (m_pBar->BorderTop())
            painter.drawLine(0, 0, right, 0);
        if (m_pBar->BorderBottom())
            painter.drawLine(0, bottom, right, bottom);
        if (m_pBar->BorderLeft())
            painter.drawLine(0, 0, 0, bottom);
        if (m_pBar->BorderRight())
            painter.drawLine(right, 0, right, bottom);
    }

private:
    CToolBar* m_pBar;
};

CToolBar::CToolBar() : m_pImpl(std::make_unique<Impl>()) {}

CToolBar::~CToolBar()
{
    DestroyWindow();
}

int CToolBar::GetCount() const
{
    return static_cast<int>(m_pImpl->buttons.size());
}

QToolButton* CToolBar::ButtonWidget(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_pImpl->buttons[static_cast<std::size_t>(nIndex)].pWidget;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    nID = 0;
    nStyle = 0;
    iImage = -1;
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const Button& button = m_pImpl->buttons[static_cast<std::size_t>(nIndex)];
    nID = button.nID;
    nStyle = button.nStyle;
    iImage = button.iImage;
}

int CToolBar::BorderLeft() const
{
    return (m_dwBarStyle & CBRS_BORDER_LEFT) ? kBorder : 0;
}
int CToolBar::BorderTop() const
{
    return (m_dwBarStyle & CBRS_BORDER_TOP) ? kBorder : 0;
}
int CToolBar::BorderRight() const
{
    return (m_dwBarStyle & CBRS_BORDER_RIGHT) ? kBorder : 0;
}
int CToolBar::BorderBottom() const
{
    return (m_dwBarStyle & CBRS_BORDER_BOTTOM) ? kBorder : 0;
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (m_pWidget != nullptr || pParentWnd == nullptr || pParentWnd->GetClientWidget() == nullptr)
        return FALSE;
    auto* widget = new ToolBarWidget(this, pParentWnd->GetClientWidget());
    m_pOwner = pParentWnd;
    // The low word holds the bar style, the high word the window style.
    m_dwBarStyle = dwStyle & 0x0000FFFF;
    m_dwStyle = (dwStyle & 0xFFFF0000) | WS_CHILD;
    Attach(widget);
    SetDlgCtrlID(widget, nID);
    pParentWnd->RegisterChild(nID, widget);
    widget->setFocusPolicy(Qt::NoFocus);
    const CSize size = CalcFixedLayout(FALSE, TRUE);
    widget->resize(size.cx, size.cy);
    widget->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    const QPixmap strip = AfxLoadBitmap(nIDResource);
    if (strip.isNull() || strip.width() < kImageWidth || strip.height() < kImageHeight)
        return FALSE;
    m_pImpl->images.clear();
    for (int x = 0; x + kImageWidth <= strip.width(); x += kImageWidth)
        m_pImpl->images.push_back(strip.copy(x, 0, kImageWidth, kImageHeight));
    for (Button& button : m_pImpl->buttons)
        RefreshButton(button);
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    for (Button& button : m_pImpl->buttons)
        delete button.pWidget.data();
    m_pImpl->buttons.clear();
    if (nIDCount < 0)
        return FALSE;
    int image = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        Button button;
        if (lpIDArray != nullptr)
        {
            button.nID = lpIDArray[i];
            button.nStyle = button.nID == 0 ? TBBS_SEPARATOR : TBBS_BUTTON;
            button.iImage = button.nID == 0 ? -1 : image++;
        }
        if (m_pWidget != nullptr)
        {
            auto* widget = new QToolButton(m_pWidget);
            widget->setAutoRaise(true);
            widget->setFocusPolicy(Qt::NoFocus);
            widget->setIconSize(QSize(kImageWidth, kImageHeight));
            QObject::connect(widget, &QToolButton::clicked, widget, [this, i] { SendCommand(i); });
            widget->show();
            button.pWidget = widget;
        }
        m_pImpl->buttons.push_back(button);
        RefreshButton(m_pImpl->buttons.back());
    }
    Relayout();
    return TRUE;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Button& button = m_pImpl->buttons[static_cast<std::size_t>(nIndex)];
    button.nID = nID;
    button.nStyle = nStyle;
    button.iImage = iImage;
    RefreshButton(button);
    Relayout();
}

UINT CToolBar::GetItemID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_pImpl->buttons[static_cast<std::size_t>(nIndex)].nID;
}

void CToolBar::SetBarStyle(DWORD dwStyle)
{
    m_dwBarStyle = dwStyle;
    Relayout();
    if (m_pWidget != nullptr)
        m_pWidget->update();
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL /*bHorz*/)
{
    int width = BorderLeft() + BorderRight();
    for (const Button& button : m_pImpl->buttons)
        width += WidthOf(button);
    const int height = BorderTop() + 2 * kBarPadding + kButtonHeight + BorderBottom();
    if (bStretch && m_pOwner != nullptr)
    {
        CRect client;
        m_pOwner->GetClientRect(&client);
        width = client.Width();
    }
    return CSize(width, height);
}

int CToolBar::WidthOf(const Button& button)
{
    return (button.nStyle & TBBS_SEPARATOR) ? kSeparatorWidth : kButtonWidth;
}

void CToolBar::RefreshButton(Button& button)
{
    QToolButton* widget = button.pWidget;
    if (widget == nullptr)
        return;
    const bool hasImage =
        button.iImage >= 0 && button.iImage < static_cast<int>(m_pImpl->images.size());
    widget->setIcon(hasImage ? QIcon(m_pImpl->images[static_cast<std::size_t>(button.iImage)])
                             : QIcon());
    widget->setEnabled(!(button.nStyle & TBBS_SEPARATOR));
    // The command's menu caption names the button for assistive technology.
    QString name;
    if (m_pOwner != nullptr)
        if (CMenu* menu = m_pOwner->GetMenu())
            name = QString::fromStdWString(menu->GetMenuString(button.nID, MF_BYCOMMAND));
    widget->setAccessibleName(name);
}

void CToolBar::Relayout()
{
    int x = BorderLeft();
    const int y = BorderTop() + kBarPadding;
    for (Button& button : m_pImpl->buttons)
    {
        if (button.pWidget != nullptr)
            button.pWidget->setGeometry(x, y, WidthOf(button), kButtonHeight);
        x += WidthOf(button);
    }
}

void CToolBar::SendCommand(int nIndex)
{
    if (m_pOwner == nullptr || nIndex < 0 || nIndex >= GetCount())
        return;
    const Button& button = m_pImpl->buttons[static_cast<std::size_t>(nIndex)];
    if (button.nID == 0 || (button.nStyle & TBBS_SEPARATOR))
        return;
    m_pOwner->SendCommand(button.nID);
}

void CToolBar::DestroyWindow()
{
    QWidget* widget = Detach();
    if (auto* bar = dynamic_cast<ToolBarWidget*>(widget))
        bar->ForgetBar();
    delete widget;
    for (Button& button : m_pImpl->buttons)
        button.pWidget = nullptr;
}
