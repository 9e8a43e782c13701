#include "tests/support/DialogHost.h"

#include "platform/Menu.h"
#include "platform/testing/Testing.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

DialogHost::DialogHost(CDialog& dialog, bool bShow) : m_dialog(dialog)
{
    m_bCreated = CreateModeless(m_dialog) != FALSE;
    if (m_bCreated && !bShow && Window() != nullptr)
        Window()->hide();
    if (m_bCreated && bShow)
        WaitExposed();
}

DialogHost::~DialogHost()
{
    m_dialog.DestroyWindow();
    ProcessEvents(0);
}

QWidget* DialogHost::Control(int nID) const
{
    CWnd* control = m_dialog.GetDlgItem(nID);
    return control != nullptr ? control->GetWidget() : nullptr;
}

bool DialogHost::WaitExposed(int timeoutMs)
{
    QWidget* window = Window();
    if (window == nullptr)
        return false;
    window->show();
    window->activateWindow();
    window->raise();
    const bool exposed = QTest::qWaitForWindowExposed(window, timeoutMs);
    // Without a window manager activation may never be reported; exposure is what counts.
    (void)QTest::qWaitForWindowActive(window, 1000);
    ProcessEvents();
    return exposed;
}

void DialogHost::ProcessEvents(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do
    {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (timer.elapsed() < ms);
}

bool DialogHost::Click(int nID)
{
    QWidget* widget = Control(nID);
    if (widget == nullptr)
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    return true;
}

bool DialogHost::Key(int nID, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* widget = nID != 0 ? Control(nID) : QApplication::focusWidget();
    if (widget == nullptr)
        return false;
    QTest::keyClick(widget, key, modifiers);
    return true;
}

QAction* DialogHost::MenuAction(UINT nID) const
{
    CMenu* menu = m_dialog.GetMenu();
    return menu != nullptr ? ::MenuAction(*menu, nID) : nullptr;
}

bool DialogHost::ChooseMenu(UINT nID)
{
    QAction* action = MenuAction(nID);
    if (action == nullptr)
        return false;
    action->trigger();
    return true;
}

bool DialogHost::Wheel(int nID, int delta)
{
    QWidget* widget = Control(nID);
    if (widget == nullptr)
        return false;
    const QPointF local = widget->rect().center();
    const QPointF global = widget->mapToGlobal(local);
    QWheelEvent event(local, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    return true;
}

bool SendSpinDelta(CWnd& owner, UINT nSpinID, int iDelta, LRESULT* pResult)
{
    NMUPDOWN notify;
    notify.hdr.pFrom = owner.GetDlgItem(static_cast<int>(nSpinID));
    notify.hdr.idFrom = nSpinID;
    notify.hdr.code = UDN_DELTAPOS;
    notify.iDelta = iDelta;
    LRESULT result = 0;
    Message msg;
    msg.message = WM_NOTIFY;
    msg.id = nSpinID;
    msg.code = UDN_DELTAPOS;
    msg.pNMHDR = &notify.hdr;
    msg.pResult = pResult != nullptr ? pResult : &result;
    return owner.Dispatch(msg) != FALSE;
}
