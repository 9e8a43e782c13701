#include "platform/Controls.h"

#include "platform/Styles.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
// Auto-repeat of a held arrow: first repeat after the delay, then one per interval.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;
} // namespace

// Up and Down in the buddy edit step the up-down like its arrows.
class ArrowKeyFilter : public QObject
{
public:
    ArrowKeyFilter(CSpinButtonCtrl* pSpin, QObject* parent) : QObject(parent), m_pSpin(pSpin) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
        {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down)
            {
                m_pSpin->NotifyDelta(key == Qt::Key_Up ? -1 : +1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CSpinButtonCtrl* m_pSpin;
};

namespace
{
QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(kRepeatDelayMs);
    button->setAutoRepeatInterval(kRepeatIntervalMs);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    button->setMinimumSize(1, 1);
    return button;
}
} // namespace

void CButton::AttachButton(QAbstractButton* pButton, CWnd* pOwner)
{
    Attach(pButton);
    QObject::connect(pButton, &QAbstractButton::clicked, pButton,
                     [this, pOwner]
                     {
                         if (pOwner != nullptr)
                             pOwner->SendCommand(GetDlgCtrlID());
                     });
}

QAbstractButton* CButton::Button() const
{
    return qobject_cast<QAbstractButton*>(m_pWidget);
}

int CButton::GetCheck() const
{
    const QAbstractButton* button = Button();
    return button != nullptr && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    if (QAbstractButton* button = Button(); button != nullptr && button->isCheckable())
        button->setChecked(nCheck == BST_CHECKED);
}

LRESULT CButton::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case BM_SETCHECK:
        SetCheck(static_cast<int>(wParam));
        return 0;
    case BM_GETCHECK:
        return GetCheck();
    default:
        return CWnd::SendMessage(message, wParam, lParam);
    }
}

void CEdit::AttachEdit(QLineEdit* pEdit)
{
    Attach(pEdit);
}

void CSpinButtonCtrl::AttachUpDown(QWidget* pWidget, CWnd* pOwner, CWnd* pBuddy, DWORD dwStyle)
{
    Attach(pWidget);
    m_pOwner = pOwner;
    m_pBuddy = pBuddy;
    pWidget->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(pWidget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = MakeArrow(pWidget, Qt::UpArrow, "up");
    QToolButton* down = MakeArrow(pWidget, Qt::DownArrow, "down");
    layout->addWidget(up);
    layout->addWidget(down);
    // pressed comes once when the arrow goes down and once per automatic repeat.
    QObject::connect(up, &QAbstractButton::pressed, pWidget, [this] { NotifyDelta(-1); });
    QObject::connect(down, &QAbstractButton::pressed, pWidget, [this] { NotifyDelta(+1); });
    if ((dwStyle & UDS_ARROWKEYS) && pBuddy != nullptr && pBuddy->GetWidget() != nullptr)
        pBuddy->GetWidget()->installEventFilter(new ArrowKeyFilter(this, pWidget));
}

void CSpinButtonCtrl::SetAccessibleRowName(const CString& row)
{
    if (m_pWidget == nullptr)
        return;
    const QString name = QString::fromStdWString(row);
    m_pWidget->setAccessibleName(name);
    if (auto* up = m_pWidget->findChild<QToolButton*>(QStringLiteral("up")))
        up->setAccessibleName(name + QStringLiteral(" up"));
    if (auto* down = m_pWidget->findChild<QToolButton*>(QStringLiteral("down")))
        down->setAccessibleName(name + QStringLiteral(" down"));
}

void CSpinButtonCtrl::NotifyDelta(int iDelta)
{
    if (m_pOwner == nullptr || m_pWidget == nullptr || !m_pWidget->isEnabled())
        return;
    NMUPDOWN nm;
    nm.hdr.pFrom = this;
    nm.hdr.idFrom = GetDlgCtrlID();
    nm.hdr.code = UDN_DELTAPOS;
    nm.iDelta = iDelta;
    LRESULT result = 0;
    Message msg;
    msg.message = WM_NOTIFY;
    msg.id = nm.hdr.idFrom;
    msg.code = UDN_DELTAPOS;
    msg.pNMHDR = &nm.hdr;
    msg.pResult = &result;
    m_pOwner->Dispatch(msg);
}
