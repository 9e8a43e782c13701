#include "platform/Dialog.h"

#include "platform/Controls.h"
#include "platform/Image.h"
#include "platform/Menu.h"
#include "platform/Resource.h"
#include "platform/Static.h"
#include "platform/Styles.h"
#include "platform/ToolBar.h"
#include "platform/WinApp.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{
// The 52 letters whose mean width is the horizontal base unit.
constexpr const char* kBaseUnitLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// Pixels a label keeps beyond its text, so antialiased glyph edges are not cut.
constexpr int kLabelSlack = 2;

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

UINT KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

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

// The dialogs being shown modally, innermost last: the owner of a dialog opened without one.
std::vector<CDialog*>& ModalStack()
{
    static std::vector<CDialog*> stack;
    return stack;
}
} // namespace

// The top-level window of a dialog: turns Qt's events into the dialog's messages.
class DialogWidget : public QDialog
{
public:
    DialogWidget(CDialog* pDialog, QWidget* parent, Qt::WindowFlags flags)
        : QDialog(parent, flags), m_pDialog(pDialog)
    {
        qApp->installEventFilter(this);
    }

    void ForgetDialog() { m_pDialog = nullptr; }
    QMenuBar* m_pMenuBar = nullptr;
    QWidget* m_pClient = nullptr;

    // Menu bar across the top, the client area below it.
    void LayoutFrame()
    {
        const int width = this->width();
        int barHeight = 0;
        if (m_pMenuBar != nullptr)
        {
            barHeight = m_pMenuBar->heightForWidth(width);
            if (barHeight <= 0)
                barHeight = m_pMenuBar->sizeHint().height();
            m_pMenuBar->setGeometry(0, 0, width, barHeight);
        }
        if (m_pClient != nullptr)
            m_pClient->setGeometry(0, barHeight, width, std::max(0, height() - barHeight));
    }
    int MenuBarHeight(int width) const
    {
        if (m_pMenuBar == nullptr)
            return 0;
        const int h = m_pMenuBar->heightForWidth(width);
        return h > 0 ? h : m_pMenuBar->sizeHint().height();
    }

    LRESULT Deliver(Message& msg) { return m_pDialog != nullptr ? m_pDialog->Deliver(msg) : 0; }

    void SendCommand(UINT nID)
    {
        Message msg;
        msg.message = WM_COMMAND;
        msg.id = nID;
        msg.code = BN_CLICKED;
        Deliver(msg);
    }

    void SendSize()
    {
        if (m_pDialog == nullptr)
            return;
        Message msg;
        msg.message = WM_SIZE;
        if (isMinimized())
        {
            msg.nFlags = SIZE_MINIMIZED;
        }
        else
        {
            msg.nFlags = isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
            msg.cx = m_pClient != nullptr ? m_pClient->width() : width();
            msg.cy = m_pClient != nullptr ? m_pClient->height() : height();
        }
        Deliver(msg);
    }

    void PaintClient(QPainter& painter)
    {
        if (m_pDialog == nullptr)
            return;
        CDC dc(&painter);
        CPaintDC::SetPaintPainter(m_pDialog, &painter);
        Message erase;
        erase.message = WM_ERASEBKGND;
        erase.pDC = &dc;
        Deliver(erase);
        if (m_pDialog != nullptr)
        {
            Message paint;
            paint.message = WM_PAINT;
            Deliver(paint);
        }
        CPaintDC::SetPaintPainter(m_pDialog, nullptr);
    }

    void accept() override { SendCommand(IDOK); }
    void reject() override { SendCommand(IDCANCEL); }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (e->key() == Qt::Key_Escape && plain)
        {
            SendCommand(IDCANCEL);
            e->accept();
            return;
        }
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && plain)
        {
            e->accept();
            PressDefault();
            return;
        }
        // Nothing else is the dialog's: QDialog's own Enter and Escape handling is bypassed.
        QWidget::keyPressEvent(e);
    }

    void closeEvent(QCloseEvent* e) override
    {
        // The close box and Alt+F4 become the system command Close; ending the dialog is
        // the handlers' decision.
        e->ignore();
        Message msg;
        msg.message = WM_SYSCOMMAND;
        msg.nFlags = SC_CLOSE;
        Deliver(msg);
    }

    void resizeEvent(QResizeEvent* e) override
    {
        QDialog::resizeEvent(e);
        LayoutFrame();
        SendSize();
        // The frame's size is known only once the window manager has framed the window.
        if (m_pDialog != nullptr && isVisible())
            m_pDialog->ApplyMinimumSize();
    }

    void changeEvent(QEvent* e) override
    {
        QDialog::changeEvent(e);
        if (e->type() == QEvent::WindowStateChange)
            SendSize();
    }

    void showEvent(QShowEvent* e) override
    {
        QDialog::showEvent(e);
        if (m_pDialog != nullptr)
            m_pDialog->ApplyMinimumSize();
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Wheel && watched->isWidgetType() && m_pDialog != nullptr &&
            static_cast<QWidget*>(watched)->window() == this)
        {
            auto* wheel = static_cast<QWheelEvent*>(e);
            const int delta = wheel->angleDelta().y();
            if (delta == 0)
                return false;
            Message msg;
            msg.message = WM_MOUSEWHEEL;
            msg.nFlags = KeyState(wheel->buttons(), wheel->modifiers());
            msg.zDelta = static_cast<short>(std::clamp(delta, -32768, 32767));
            const QPoint global = wheel->globalPosition().toPoint();
            msg.point = CPoint(global.x(), global.y());
            Deliver(msg);
            // Once per event: the widgets it would propagate through do not see it again.
            wheel->accept();
            return true;
        }
        return QDialog::eventFilter(watched, e);
    }

private:
    // Enter presses the focused push button, or else the default button when it can be
    // pressed; nothing closes the dialog on its own.
    void PressDefault()
    {
        if (m_pDialog == nullptr)
            return;
        if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget()))
        {
            if (button->window() == this && button->isEnabled())
            {
                button->click();
                return;
            }
        }
        const UINT defID = m_pDialog->GetDefID();
        CWnd* def = defID != 0 ? m_pDialog->GetDlgItem(static_cast<int>(defID)) : nullptr;
        if (def != nullptr && def->GetWidget() != nullptr && def->GetWidget()->isVisible() &&
            def->GetWidget()->isEnabled())
            SendCommand(defID);
    }

    CDialog* m_pDialog;
};

namespace
{
class ClientWidget : public QWidget
{
public:
    explicit ClientWidget(DialogWidget* parent) : QWidget(parent), m_pFrame(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_pFrame->PaintClient(painter);
    }

private:
    DialogWidget* m_pFrame;
};
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
    auto* dialog = pDX != nullptr ? dynamic_cast<CDialog*>(pDX->m_pDlgWnd) : nullptr;
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
            widget->m_pMenuBar = new QMenuBar(widget);
            widget->m_pMenuBar->setFont(QApplication::font());
            m_pMenu->BuildMenuBar(widget->m_pMenuBar, this);
        }
        else
        {
            m_pMenu.reset();
        }
    }
    m_pClient = new ClientWidget(widget);
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

void CDialog::CreateControls()
{
    const DialogTemplate& tmpl = *m_pTemplate;
    m_nDefID = 0;
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
        else
            widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        if (!accessible.isEmpty())
            widget->setAccessibleName(accessible);
        widget->setEnabled((item.style & WS_DISABLED) == 0);
        widget->setVisible((item.style & WS_VISIBLE) != 0);
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
    Deliver(probe);
    // The handler speaks of the whole window; Qt's minimum is of the part inside the frame.
    const int frameWidth = frame.width() - m_pDialogWidget->width();
    const int frameHeight = frame.height() - m_pDialogWidget->height();
    m_pDialogWidget->setMinimumSize(std::max(0, rect.Width() - frameWidth),
                                    std::max(0, rect.Height() - frameHeight));
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

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (nIDTemplate != 0)
        m_nIDTemplate = nIDTemplate;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
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
    Deliver(destroy);
    // Then every control, parents before their children, while all of them still exist.
    QList<QPointer<QWidget>> children;
    for (QWidget* child : m_pClient->findChildren<QWidget*>())
        children.append(child);
    for (const QPointer<QWidget>& child : children)
    {
        CWnd* control = child.isNull() ? nullptr : CWnd::FromWidget(child);
        if (control == nullptr || control == this)
            continue;
        if (auto* staticCtrl = dynamic_cast<CStatic*>(control))
        {
            staticCtrl->DestroyWindow();
            continue;
        }
        Message msg;
        msg.message = WM_DESTROY;
        control->Dispatch(msg);
    }
    DialogWidget* widget = m_pDialogWidget;
    widget->ForgetDialog();
    m_pDialogWidget = nullptr;
    m_pClient = nullptr;
    Detach();
    delete widget; // every control's object forgets its widget as it goes
    m_vecControls.clear();
    m_vecBound.clear();
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
        msg.id = static_cast<UINT>(wParam & 0xFFFF);
        msg.code = static_cast<UINT>((wParam >> 16) & 0xFFFF);
        msg.nFlags = 0;
        break;
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
    return Deliver(msg);
}

LRESULT CDialog::Deliver(Message& msg)
{
    Message* outer = m_pCurrentMsg;
    m_pCurrentMsg = &msg;
    const LRESULT result = Dispatch(msg) ? msg.result : DefWindowProc(msg);
    m_pCurrentMsg = outer;
    return result;
}

LRESULT CDialog::Default()
{
    if (m_pCurrentMsg == nullptr)
        return 0;
    Message copy = *m_pCurrentMsg;
    return DefWindowProc(copy);
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
        switch (msg.nFlags & 0xFFF0)
        {
        case SC_CLOSE:
        {
            Message cancel;
            cancel.message = WM_COMMAND;
            cancel.id = IDCANCEL;
            cancel.code = BN_CLICKED;
            Deliver(cancel);
            return 0;
        }
        case SC_MINIMIZE:
            if (m_pDialogWidget != nullptr)
                m_pDialogWidget->showMinimized();
            return 0;
        case SC_MAXIMIZE:
            if (m_pDialogWidget != nullptr)
                m_pDialogWidget->showMaximized();
            return 0;
        case SC_RESTORE:
            if (m_pDialogWidget != nullptr)
                m_pDialogWidget->showNormal();
            return 0;
        default:
            return 0;
        }
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
