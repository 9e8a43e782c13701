#include "platform/DialogWidget.h"

#include "platform/MouseKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QWheelEvent>

#include <algorithm>

DialogWidget::DialogWidget(CDialog* pDialog, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_pDialog(pDialog)
{
    qApp->installEventFilter(this);
}

void DialogWidget::LayoutFrame()
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

int DialogWidget::MenuBarHeight(int width) const
{
    if (m_pMenuBar == nullptr)
        return 0;
    const int h = m_pMenuBar->heightForWidth(width);
    return h > 0 ? h : m_pMenuBar->sizeHint().height();
}

void DialogWidget::Deliver(Message& msg)
{
    if (m_pDialog != nullptr)
        m_pDialog->Dispatch(msg);
}

void DialogWidget::SendCommand(UINT nID)
{
    if (m_pDialog != nullptr)
        m_pDialog->SendCommand(nID);
}

void DialogWidget::SendSize()
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

void DialogWidget::PaintClient(QPainter& painter)
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

void DialogWidget::accept()
{
    SendCommand(IDOK);
}

void DialogWidget::reject()
{
    SendCommand(IDCANCEL);
}

void DialogWidget::keyPressEvent(QKeyEvent* e)
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

void DialogWidget::closeEvent(QCloseEvent* e)
{
    // The close box and Alt+F4 become the system command Close; ending the dialog is
    // the handlers' decision.
    e->ignore();
    Message msg;
    msg.message = WM_SYSCOMMAND;
    msg.nFlags = SC_CLOSE;
    Deliver(msg);
}

void DialogWidget::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    LayoutFrame();
    SendSize();
    // The frame's size is known only once the window manager has framed the window.
    if (m_pDialog != nullptr && isVisible())
        m_pDialog->ApplyMinimumSize();
}

void DialogWidget::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        SendSize();
}

void DialogWidget::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_pDialog != nullptr)
        m_pDialog->ApplyMinimumSize();
}

bool DialogWidget::eventFilter(QObject* watched, QEvent* e)
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
        msg.nFlags = MouseKeyState(wheel->buttons(), wheel->modifiers());
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

// Enter presses the focused push button, or else the default button when it can be pressed;
// nothing closes the dialog on its own.
void DialogWidget::PressDefault()
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

void DialogClientWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_pFrame->PaintClient(painter);
}
