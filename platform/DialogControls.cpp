// Controls from the template: dialog units to pixels, one control per template item, tab
// order, and binding a control to a class with data exchange.
#include "platform/Dialog.h"

#include "platform/Controls.h"
#include "platform/DialogWidget.h"
#include "platform/Image.h"
#include "platform/Resource.h"
#include "platform/Styles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace
{
// Pixels a label keeps beyond its text, so antialiased glyph edges are not cut.
constexpr int kLabelSlack = 2;
// The 52 letters whose mean width is the horizontal base unit.
constexpr const char* kBaseUnitLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

int MulDiv(int number, int numerator, int denominator)
{
    return static_cast<int>(
        std::lround(static_cast<double>(number) * numerator / static_cast<double>(denominator)));
}

// A control object of the template's own for controls no class binds.
class CControlWnd : public CWnd
{
public:
    void AttachWidget(QWidget* pWidget) { Attach(pWidget); }
};

// Labels were sized for the template's own font; the stand-in may set a line wider, so a
// label is widened to its longest line rather than cut off or wrapped out of sight.
int LabelWidth(const QWidget& label, const QString& text, int templateWidth)
{
    const QFontMetrics metrics(label.font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line) + kLabelSlack);
    return std::max(templateWidth, widest);
}

// A check box answers clicks, hover and the screen reader over its whole rectangle, as the
// template lays it out, not only over its box and caption.
class WholeRectCheckBoxStyle : public QProxyStyle
{
public:
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override
    {
        if (element == SE_CheckBoxClickRect && option != nullptr)
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }
};

bool IsTabStop(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

// The text of the row a control belongs to: the first label after it in the template,
// before the next edit.
CString RowLabel(const DialogTemplate& tmpl, std::size_t index)
{
    for (std::size_t j = index + 1; j < tmpl.itemCount; ++j)
    {
        const DialogItemTemplate& item = tmpl.items[j];
        if (item.kind == ControlKind::Label)
        {
            CString text = item.text != nullptr ? item.text : L"";
            for (wchar_t& c : text)
                if (c == L'\n')
                    c = L' ';
            return text;
        }
        if (item.kind == ControlKind::Edit)
            break;
    }
    return CString();
}

} // namespace

DialogBaseUnits GetDialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    DialogBaseUnits units;
    // Mean letter width, rounded to the nearest pixel.
    units.cx = (metrics.horizontalAdvance(QLatin1String(kBaseUnitLetters)) / 26 + 1) / 2;
    units.cy = metrics.height();
    return units;
}

CRect MapDialogRect(const DialogBaseUnits& units, const CRect& dialogUnits)
{
    const int x = MulDiv(dialogUnits.left, units.cx, 4);
    const int y = MulDiv(dialogUnits.top, units.cy, 8);
    return CRect(x, y, x + MulDiv(dialogUnits.Width(), units.cx, 4),
                 y + MulDiv(dialogUnits.Height(), units.cy, 8));
}

QFont DialogFont(const DialogTemplate& tmpl)
{
    QFont font = QApplication::font();
    font.setStyleHint(QFont::SansSerif);
    if (tmpl.pointSize > 0)
        font.setPointSize(tmpl.pointSize);
    return font;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    CDialog* dialog = pDX != nullptr ? pDX->m_pDlgWnd : nullptr;
    if (dialog == nullptr || rControl.GetWidget() != nullptr)
        return;
    CWnd* placeholder = dialog->GetDlgItem(nIDC);
    if (placeholder == nullptr || placeholder == &rControl)
        return;
    QWidget* widget = placeholder->GetWidget();
    const QString name = widget->accessibleName();
    dialog->ReleaseControl(placeholder);
    if (!rControl.SubclassWindow(widget))
        return;
    dialog->m_vecBound.push_back(static_cast<UINT>(nIDC));
    if (QWidget* bound = rControl.GetWidget())
    {
        CWnd::SetDlgCtrlID(bound, static_cast<UINT>(nIDC));
        if (!name.isEmpty())
            bound->setAccessibleName(name);
    }
    dialog->ApplyTabOrder();
}

void CDialog::CreateControls()
{
    const DialogTemplate& tmpl = *m_pTemplate;
    m_nDefID = 0;
    WholeRectCheckBoxStyle* checkBoxStyle = nullptr; // one for the dialog's check boxes
    for (std::size_t i = 0; i < tmpl.itemCount; ++i)
    {
        const DialogItemTemplate& item = tmpl.items[i];
        const QString text = QString::fromStdWString(item.text != nullptr ? item.text : L"");
        const bool tabStop = (item.style & WS_TABSTOP) != 0;
        const CRect rect =
            MapDialogRect(m_baseUnits, CRect(item.x, item.y, item.x + item.cx, item.y + item.cy));
        QWidget* widget = nullptr;
        std::unique_ptr<CWnd> wnd;
        QString accessible = item.accessibleName != nullptr
                                 ? QString::fromStdWString(item.accessibleName)
                                 : QString();

        switch (item.kind)
        {
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::CheckBox:
        {
            QAbstractButton* button = nullptr;
            if (item.kind == ControlKind::CheckBox)
            {
                button = new QCheckBox(text, m_pClient);
                if (checkBoxStyle == nullptr)
                {
                    checkBoxStyle = new WholeRectCheckBoxStyle;
                    checkBoxStyle->setParent(m_pClient);
                }
                button->setStyle(checkBoxStyle);
            }
            else
            {
                auto* push = new QPushButton(text, m_pClient);
                // Enter is the dialog's to handle, never Qt's default-button machinery.
                push->setAutoDefault(false);
                push->setDefault(false);
                button = push;
                if (item.kind == ControlKind::DefPushButton)
                    m_nDefID = item.id;
            }
            button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            auto control = std::make_unique<CButton>();
            control->AttachButton(button, this);
            widget = button;
            wnd = std::move(control);
            break;
        }
        case ControlKind::Edit:
        {
            auto* edit = new QLineEdit(text, m_pClient);
            edit->setFrame((item.style & WS_BORDER) != 0);
            edit->setReadOnly((item.style & ES_READONLY) != 0);
            edit->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            if (accessible.isEmpty())
                accessible = QString::fromStdWString(RowLabel(tmpl, i));
            auto control = std::make_unique<CEdit>();
            control->AttachEdit(edit);
            widget = edit;
            wnd = std::move(control);
            break;
        }
        case ControlKind::UpDown:
        {
            widget = new QWidget(m_pClient);
            CWnd* buddy = nullptr;
            if ((item.style & UDS_AUTOBUDDY) && !m_vecControls.empty())
                buddy = m_vecControls.back().get();
            auto control = std::make_unique<CSpinButtonCtrl>();
            control->AttachUpDown(widget, this, buddy, item.style);
            CString row = RowLabel(tmpl, i);
            control->SetAccessibleRowName(row);
            wnd = std::move(control);
            break;
        }
        case ControlKind::Label:
        {
            auto* label = new QLabel(text, m_pClient);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setFocusPolicy(Qt::NoFocus);
            widget = label;
            break;
        }
        case ControlKind::Frame:
        {
            auto* frame = new QFrame(m_pClient);
            frame->setFrameShape(QFrame::Box);
            frame->setFrameShadow(QFrame::Plain);
            QPalette palette = frame->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::Mid));
            frame->setPalette(palette);
            frame->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
            widget = frame;
            break;
        }
        case ControlKind::Icon:
        {
            auto* label = new QLabel(m_pClient);
            const int size = GetSystemMetrics(SM_CXICON);
            label->setPixmap(IconOf(AfxLoadIcon(item.resourceId)).pixmap(size, size));
            label->setFocusPolicy(Qt::NoFocus);
            widget = label;
            break;
        }
        }
        if (widget == nullptr)
            continue;
        if (!wnd)
        {
            auto control = std::make_unique<CControlWnd>();
            control->AttachWidget(widget);
            wnd = std::move(control);
        }
        CWnd::SetDlgCtrlID(widget, item.id);
        if (item.kind == ControlKind::Icon)
            widget->setGeometry(rect.left, rect.top, GetSystemMetrics(SM_CXICON),
                                GetSystemMetrics(SM_CYICON));
        else if (item.kind == ControlKind::Label)
            widget->setGeometry(rect.left, rect.top, LabelWidth(*widget, text, rect.Width()),
                                rect.Height());
        else if (item.kind == ControlKind::CheckBox)
            widget->setGeometry(rect.left, rect.top,
                                std::max(rect.Width(), widget->sizeHint().width()), rect.Height());
        else
            widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        if (!accessible.isEmpty())
            widget->setAccessibleName(accessible);
        widget->setEnabled((item.style & WS_DISABLED) == 0);
        widget->setVisible((item.style & WS_VISIBLE) != 0);
        RegisterChild(item.id, widget);
        m_vecControls.push_back(std::move(wnd));
    }
}

void CDialog::ApplyTabOrder()
{
    if (m_pTemplate == nullptr || m_pClient == nullptr)
        return;
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < m_pTemplate->itemCount; ++i)
    {
        CWnd* control = GetDlgItem(static_cast<int>(m_pTemplate->items[i].id));
        QWidget* widget = control != nullptr ? control->GetWidget() : nullptr;
        if (widget == nullptr || !IsTabStop(widget))
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void CDialog::ReleaseControl(CWnd* pControl)
{
    for (auto it = m_vecControls.begin(); it != m_vecControls.end(); ++it)
    {
        if (it->get() == pControl)
        {
            m_vecControls.erase(it); // its destructor lets go of the widget
            return;
        }
    }
}

void CDialog::FocusFirstTabStop()
{
    if (m_pTemplate == nullptr)
        return;
    for (std::size_t i = 0; i < m_pTemplate->itemCount; ++i)
    {
        CWnd* control = GetDlgItem(static_cast<int>(m_pTemplate->items[i].id));
        QWidget* widget = control != nullptr ? control->GetWidget() : nullptr;
        if (widget != nullptr && IsTabStop(widget) && widget->isEnabled() &&
            widget->isVisibleTo(m_pDialogWidget))
        {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
