// Controls from the template: dialog units to pixels, one factory per control kind, tab
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

// What a control's factory needs of the dialog it goes into.
struct ControlSite
{
    CWnd* pDialog;    // owner of the clicks and up-down notifications
    QWidget* pClient; // parent of the widgets
    const DialogTemplate& tmpl;
    std::size_t index = 0;     // of the item in the template
    CWnd* pPrevious = nullptr; // the control made before it: an automatic buddy
    WholeRectCheckBoxStyle* pCheckBoxStyle = nullptr; // one for the dialog's check boxes
};

// A control as its factory made it, for the dialog to place and register.
struct NewControl
{
    QWidget* pWidget = nullptr;
    std::unique_ptr<CWnd> pWnd; // none: a plain control object of the template's own
    CSize size;                 // pixels, from the template's rectangle
    QString defaultName;        // for assistive technology, when the template gives none
    bool bDefault = false;      // the default push button
};

NewControl Made(QWidget* pWidget, CSize size, std::unique_ptr<CWnd> pWnd = nullptr)
{
    NewControl made;
    made.pWidget = pWidget;
    made.pWnd = std::move(pWnd);
    made.size = size;
    return made;
}

QString TextOf(const DialogItemTemplate& item)
{
    return QString::fromStdWString(item.text != nullptr ? item.text : L"");
}

Qt::FocusPolicy FocusOf(const DialogItemTemplate& item, Qt::FocusPolicy notTabStop)
{
    return (item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus : notTabStop;
}

NewControl MakeButton(ControlSite& site, QAbstractButton* button, const DialogItemTemplate& item,
                      const CRect& rect)
{
    button->setFocusPolicy(FocusOf(item, Qt::ClickFocus));
    auto control = std::make_unique<CButton>();
    control->AttachButton(button, site.pDialog);
    return Made(button, rect.Size(), std::move(control));
}

NewControl MakePushButton(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    auto* push = new QPushButton(TextOf(item), site.pClient);
    // Enter is the dialog's to handle, never Qt's default-button machinery.
    push->setAutoDefault(false);
    push->setDefault(false);
    NewControl made = MakeButton(site, push, item, rect);
    made.bDefault = item.kind == ControlKind::DefPushButton;
    return made;
}

NewControl MakeCheckBox(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    auto* box = new QCheckBox(TextOf(item), site.pClient);
    if (site.pCheckBoxStyle == nullptr)
    {
        site.pCheckBoxStyle = new WholeRectCheckBoxStyle;
        site.pCheckBoxStyle->setParent(site.pClient);
    }
    box->setStyle(site.pCheckBoxStyle);
    NewControl made = MakeButton(site, box, item, rect);
    // Never narrower than its caption needs.
    made.size.cx = std::max(rect.Width(), box->sizeHint().width());
    return made;
}

NewControl MakeEdit(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    auto* edit = new QLineEdit(TextOf(item), site.pClient);
    edit->setFrame((item.style & WS_BORDER) != 0);
    edit->setReadOnly((item.style & ES_READONLY) != 0);
    edit->setFocusPolicy(FocusOf(item, Qt::ClickFocus));
    auto control = std::make_unique<CEdit>();
    control->AttachEdit(edit);
    NewControl made = Made(edit, rect.Size(), std::move(control));
    made.defaultName = QString::fromStdWString(RowLabel(site.tmpl, site.index));
    return made;
}

NewControl MakeUpDown(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    auto* widget = new QWidget(site.pClient);
    CWnd* buddy = (item.style & UDS_AUTOBUDDY) ? site.pPrevious : nullptr;
    auto control = std::make_unique<CSpinButtonCtrl>();
    control->AttachUpDown(widget, site.pDialog, buddy, item.style);
    control->SetAccessibleRowName(RowLabel(site.tmpl, site.index));
    return Made(widget, rect.Size(), std::move(control));
}

NewControl MakeLabel(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    const QString text = TextOf(item);
    auto* label = new QLabel(text, site.pClient);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return Made(label, CSize(LabelWidth(*label, text, rect.Width()), rect.Height()));
}

NewControl MakeFrame(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    auto* frame = new QFrame(site.pClient);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Mid));
    frame->setPalette(palette);
    frame->setFocusPolicy(FocusOf(item, Qt::NoFocus));
    return Made(frame, rect.Size());
}

NewControl MakeIcon(ControlSite& site, const DialogItemTemplate& item, const CRect&)
{
    auto* label = new QLabel(site.pClient);
    const int size = GetSystemMetrics(SM_CXICON);
    label->setPixmap(IconOf(AfxLoadIcon(item.resourceId)).pixmap(size, size));
    label->setFocusPolicy(Qt::NoFocus);
    // Drawn at the icon size, whatever the template's rectangle.
    return Made(label, CSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
}

NewControl MakeControl(ControlSite& site, const DialogItemTemplate& item, const CRect& rect)
{
    switch (item.kind)
    {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return MakePushButton(site, item, rect);
    case ControlKind::CheckBox:
        return MakeCheckBox(site, item, rect);
    case ControlKind::Edit:
        return MakeEdit(site, item, rect);
    case ControlKind::UpDown:
        return MakeUpDown(site, item, rect);
    case ControlKind::Label:
        return MakeLabel(site, item, rect);
    case ControlKind::Frame:
        return MakeFrame(site, item, rect);
    case ControlKind::Icon:
        return MakeIcon(site, item, rect);
    }
    return NewControl();
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
    ControlSite site{this, m_pClient, tmpl, 0, nullptr, nullptr};
    for (std::size_t i = 0; i < tmpl.itemCount; ++i)
    {
        const DialogItemTemplate& item = tmpl.items[i];
        site.index = i;
        site.pPrevious = !m_vecControls.empty() ? m_vecControls.back().get() : nullptr;
        const CRect rect =
            MapDialogRect(m_baseUnits, CRect(item.x, item.y, item.x + item.cx, item.y + item.cy));
        NewControl made = MakeControl(site, item, rect);
        if (made.pWidget == nullptr)
            continue;
        QWidget* widget = made.pWidget;
        if (made.bDefault)
            m_nDefID = item.id;
        if (!made.pWnd)
        {
            auto control = std::make_unique<CControlWnd>();
            control->AttachWidget(widget);
            made.pWnd = std::move(control);
        }
        CWnd::SetDlgCtrlID(widget, item.id);
        widget->setGeometry(rect.left, rect.top, made.size.cx, made.size.cy);
        QString accessible = item.accessibleName != nullptr
                                 ? QString::fromStdWString(item.accessibleName)
                                 : QString();
        if (accessible.isEmpty())
            accessible = made.defaultName;
        if (!accessible.isEmpty())
            widget->setAccessibleName(accessible);
        widget->setEnabled((item.style & WS_DISABLED) == 0);
        widget->setVisible((item.style & WS_VISIBLE) != 0);
        RegisterChild(item.id, widget);
        m_vecControls.push_back(std::move(made.pWnd));
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
