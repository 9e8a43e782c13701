// Qt's events become the dialog's messages: clicks, check boxes, up-down steps, keys, the
// wheel, sizing, painting, closing.

#include "ProbeDialog.h"
#include "tests/support/DialogHost.h"

#include "platform/Controls.h"
#include "platform/Image.h"
#include "platform/testing/Testing.h"
#include "res/resource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace
{
QToolButton* Arrow(DialogHost& host, int nSpin, const char* which)
{
    QWidget* spin = host.Control(nSpin);
    return spin != nullptr ? spin->findChild<QToolButton*>(QLatin1String(which)) : nullptr;
}

std::vector<LoggedMessage> Notifications(const CProbeDlg& dlg)
{
    std::vector<LoggedMessage> out;
    for (const LoggedMessage& m : dlg.m_log)
        if (m.message == WM_NOTIFY)
            out.push_back(m);
    return out;
}

struct SpinRow
{
    int spin;
    int buddy;
};
const SpinRow kSpinRows[] = {
    {IDC_SPIN_TABLE, IDC_EDIT_TABLE},
    {IDC_SPIN_DIAMETER, IDC_EDIT_DIAMETER},
    {IDC_SPIN_CROWN_ANGLE, IDC_EDIT_CROWN_ANGLE},
    {IDC_SPIN_UPPER_GIRDLE_POINT, IDC_EDIT_UPPER_GIRDLE_POINT},
    {IDC_SPIN_PAVILION_ANGLE, IDC_EDIT_PAVILION_ANGLE},
    {IDC_SPIN_LOWER_GIRDLE_POINT, IDC_EDIT_LOWER_GIRDLE_POINT},
    {IDC_SPIN_GIRDLE_THICKNESS, IDC_EDIT_GIRDLE_THICKNESS},
};
} // namespace

TEST(DialogMessages, ButtonsAndCheckBoxesSendTheirCommands)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());

    ASSERT_TRUE(host.Click(IDC_BUTTON_UPDATE));
    ASSERT_TRUE(host.Click(IDC_BUTTON_DEFAULT));
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_BUTTON_UPDATE), 1);
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_BUTTON_DEFAULT), 1);

    // An automatic check box has toggled itself by the time its click arrives.
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK_RENDER_FACETS), UINT(BST_UNCHECKED));
    ASSERT_TRUE(host.Click(IDC_CHECK_RENDER_FACETS));
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_CHECK_RENDER_FACETS), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK_RENDER_FACETS), UINT(BST_CHECKED));

    // BM_SETCHECK sets the state without a click.
    dlg.GetDlgItem(IDC_CHECK_RENDER_FACETS)->SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK_RENDER_FACETS), UINT(BST_UNCHECKED));
    dlg.CheckDlgButton(IDC_CHECK_TRANSPARENT, BST_CHECKED);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(host.Control(IDC_CHECK_TRANSPARENT))->isChecked());
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_CHECK_RENDER_FACETS), 1);

    // A command sent as a message takes the same route as the click.
    dlg.SendMessage(WM_COMMAND, IDC_BUTTON_UPDATE);
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_BUTTON_UPDATE), 2);
}

TEST(DialogMessages, EditTextAndWindowText)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    dlg.SetDlgItemText(IDC_EDIT_CROWN_ANGLE, L"34.600");
    CString text;
    EXPECT_EQ(dlg.GetDlgItemText(IDC_EDIT_CROWN_ANGLE, text), 6);
    EXPECT_EQ(text, L"34.600");
    EXPECT_EQ(qobject_cast<QLineEdit*>(host.Control(IDC_EDIT_CROWN_ANGLE))->text(),
              QStringLiteral("34.600"));
    // Read-only edits take text from the program all the same.
    dlg.SetDlgItemText(IDC_EDIT_UPPER_GIRDLE_ANGLE, CString(L"39.513"));
    dlg.GetDlgItemText(IDC_EDIT_UPPER_GIRDLE_ANGLE, text);
    EXPECT_EQ(text, L"39.513");
    // A text wider than its edit shows from its first character, not its tail.
    auto* edit = qobject_cast<QLineEdit*>(host.Control(IDC_EDIT_CROWN_ANGLE));
    edit->setCursorPosition(2);
    dlg.SetDlgItemText(IDC_EDIT_CROWN_ANGLE, L"123456789012345678901234567890.000");
    EXPECT_EQ(edit->cursorPosition(), 0);
    // No such control: nothing, and an empty text.
    dlg.SetDlgItemText(4711, L"x");
    EXPECT_EQ(dlg.GetDlgItemText(4711, text), 0);
    EXPECT_TRUE(text.empty());
}

TEST(DialogMessages, UpDownArrowsNotifyOncePerPress)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    for (const SpinRow& row : kSpinRows)
    {
        SCOPED_TRACE(row.spin);
        dlg.m_log.clear();
        QToolButton* up = Arrow(host, row.spin, "up");
        QToolButton* down = Arrow(host, row.spin, "down");
        ASSERT_NE(up, nullptr);
        ASSERT_NE(down, nullptr);
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        std::vector<LoggedMessage> steps = Notifications(dlg);
        ASSERT_EQ(steps.size(), 3u);
        EXPECT_EQ(steps[0].id, UINT(row.spin));
        EXPECT_EQ(steps[0].nFlags, UINT(UDN_DELTAPOS));
        EXPECT_EQ(steps[0].iDelta, -1);
        EXPECT_EQ(steps[1].iDelta, +1);
        EXPECT_EQ(steps[2].iDelta, +1);

        // The buddy is the edit before it; its Up and Down keys step the same way.
        auto* spin = dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(row.spin));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(BuddyOf(*spin), dlg.GetDlgItem(row.buddy));
        dlg.m_log.clear();
        host.Key(row.buddy, Qt::Key_Up);
        host.Key(row.buddy, Qt::Key_Down);
        steps = Notifications(dlg);
        ASSERT_EQ(steps.size(), 2u);
        EXPECT_EQ(steps[0].iDelta, -1);
        EXPECT_EQ(steps[1].iDelta, +1);
        EXPECT_EQ(steps[0].id, UINT(row.spin));
    }
    // The read-only rows have no up-down: their keys step nothing.
    dlg.m_log.clear();
    host.Key(IDC_EDIT_UPPER_GIRDLE_ANGLE, Qt::Key_Up);
    EXPECT_EQ(dlg.Count(WM_NOTIFY), 0);
}

TEST(DialogMessages, HeldArrowRepeatsItsNotification)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    QToolButton* up = Arrow(host, IDC_SPIN_CROWN_ANGLE, "up");
    ASSERT_NE(up, nullptr);
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_EQ(dlg.Count(WM_NOTIFY), 1); // at once, on the press
    // Held well past the repeat delay: more steps, all up.
    for (int i = 0; i < 100 && dlg.Count(WM_NOTIFY) < 3; ++i)
        QTest::qWait(20);
    QTest::mouseRelease(up, Qt::LeftButton);
    const int held = dlg.Count(WM_NOTIFY);
    EXPECT_GE(held, 3);
    for (const LoggedMessage& m : dlg.m_log)
    {
        if (m.message == WM_NOTIFY)
        {
            EXPECT_EQ(m.iDelta, -1);
        }
    }
    // Releasing stops it.
    QTest::qWait(300);
    EXPECT_EQ(dlg.Count(WM_NOTIFY), held);
}

TEST(DialogMessages, UpDownNotifiesEveryPress)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(IDC_SPIN_TABLE));
    ASSERT_NE(spin, nullptr);
    // No position or range stops it: every press notifies, with its delta.
    const int deltas[] = {+1, -1, -1, -1, +1};
    for (int delta : deltas)
        PressArrow(*spin, delta);
    ASSERT_EQ(dlg.Count(WM_NOTIFY), 5);
    EXPECT_EQ(dlg.Last(WM_NOTIFY)->iDelta, +1);
}

TEST(DialogMessages, EnterInAnEditPressesNothingAndKeepsTheDialog)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    for (int edit : {IDC_EDIT_TABLE, IDC_EDIT_UPPER_GIRDLE_ANGLE, IDC_EDIT_GIRDLE_THICKNESS})
    {
        host.Control(edit)->setFocus();
        host.Key(edit, Qt::Key_Return);
        host.Key(edit, Qt::Key_Enter, Qt::KeypadModifier);
    }
    host.ProcessEvents();
    EXPECT_EQ(dlg.Count(WM_COMMAND), 0);
    EXPECT_EQ(dlg.m_nOK, 0);
    EXPECT_EQ(dlg.m_nCancel, 0);
    EXPECT_FALSE(HasEnded(dlg));
    EXPECT_TRUE(dlg.IsWindowVisible());

    // Enter on a focused push button presses that button.
    host.Control(IDC_BUTTON_DEFAULT)->setFocus();
    host.Key(IDC_BUTTON_DEFAULT, Qt::Key_Return);
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_BUTTON_DEFAULT), 1);
    EXPECT_EQ(dlg.Count(WM_COMMAND, IDC_BUTTON_UPDATE), 0);
}

TEST(DialogMessages, EscapeCloseBoxAndExitReachOnCancel)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    host.Control(IDC_EDIT_TABLE)->setFocus();
    host.Key(IDC_EDIT_TABLE, Qt::Key_Escape);
    EXPECT_EQ(dlg.m_nCancel, 1);

    // The close box is the system command Close, whose default is the cancel command.
    dlg.GetWidget()->close();
    EXPECT_EQ(dlg.Count(WM_SYSCOMMAND), 1);
    EXPECT_EQ(dlg.Last(WM_SYSCOMMAND)->nFlags, UINT(SC_CLOSE));
    EXPECT_EQ(dlg.m_nCancel, 2);

    host.Click(IDCANCEL);
    EXPECT_EQ(dlg.m_nCancel, 3);
    // OnCancel did not end the dialog, so the window stays.
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_FALSE(HasEnded(dlg));

    // The hidden, disabled OK button can never be pressed.
    EXPECT_FALSE(host.Control(IDOK)->isVisible());
    EXPECT_FALSE(host.Control(IDOK)->isEnabled());
}

TEST(DialogMessages, WheelAnywhereInTheDialogArrivesOnceWithTheScreenPoint)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    for (int id : {IDC_EDIT_TABLE, IDC_BUTTON_UPDATE, IDC_STATIC_MOUSE_HELP, IDC_PICTURE})
    {
        SCOPED_TRACE(id);
        dlg.m_log.clear();
        ASSERT_TRUE(host.Wheel(id, -120));
        ASSERT_EQ(dlg.Count(WM_MOUSEWHEEL), 1);
        const LoggedMessage& m = *dlg.Last(WM_MOUSEWHEEL);
        EXPECT_EQ(m.zDelta, -120);
        QWidget* w = host.Control(id);
        const QPoint centre = w->mapToGlobal(w->rect().center());
        EXPECT_EQ(m.point, CPoint(centre.x(), centre.y()));
    }
}

TEST(DialogMessages, ResizeSendsClientSizeAndMinimisingSaysSo)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    QWidget* window = dlg.GetWidget();
    dlg.m_log.clear();
    window->resize(700, 560);
    host.ProcessEvents(50);
    const LoggedMessage* size = dlg.Last(WM_SIZE);
    ASSERT_NE(size, nullptr);
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(size->nFlags, UINT(SIZE_RESTORED));
    EXPECT_EQ(size->cx, client.Width());
    EXPECT_EQ(size->cy, client.Height());
    EXPECT_EQ(client.Width(), 700);

    // Below the minimum the window stops at it.
    window->resize(100, 100);
    host.ProcessEvents(50);
    EXPECT_EQ(window->size(), QSize(480, 400));

    window->setWindowState(Qt::WindowMinimized);
    host.ProcessEvents(50);
    EXPECT_TRUE(dlg.IsIconic());
    EXPECT_EQ(dlg.Last(WM_SIZE)->nFlags, UINT(SIZE_MINIMIZED));
    window->setWindowState(Qt::WindowNoState);
    host.ProcessEvents(50);
    EXPECT_FALSE(dlg.IsIconic());
    EXPECT_EQ(dlg.Last(WM_SIZE)->nFlags, UINT(SIZE_RESTORED));
}

TEST(DialogMessages, PaintErasesThenPaintsWithOnePainter)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    dlg.m_log.clear();
    dlg.InvalidateRect(nullptr, TRUE);
    dlg.UpdateWindow();
    ASSERT_GE(dlg.Count(WM_ERASEBKGND), 1);
    ASSERT_GE(dlg.Count(WM_PAINT), 1);
    std::size_t erase = 0;
    std::size_t paint = 0;
    for (std::size_t i = 0; i < dlg.m_log.size(); ++i)
    {
        if (dlg.m_log[i].message == WM_ERASEBKGND && erase == 0)
            erase = i + 1;
        if (dlg.m_log[i].message == WM_PAINT && paint == 0)
            paint = i + 1;
    }
    EXPECT_LT(erase, paint);
    EXPECT_TRUE(dlg.Last(WM_ERASEBKGND)->bPainter);
    EXPECT_TRUE(dlg.Last(WM_PAINT)->bPainter);

    // Outside a paint a paint context draws nothing.
    CPaintDC outside(&dlg);
    EXPECT_EQ(outside.GetPainter(), nullptr);
}

TEST(DialogMessages, NoSystemMenuAndIconsByMessage)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    EXPECT_EQ(dlg.GetSystemMenu(FALSE), nullptr);
    EXPECT_NE(dlg.GetWindow(GW_CHILD), nullptr);

    const HICON icon = AfxLoadIcon(IDR_MAINFRAME);
    EXPECT_EQ(dlg.SetIcon(icon, TRUE), nullptr);
    EXPECT_EQ(dlg.SetIcon(icon, FALSE), nullptr);
    EXPECT_EQ(dlg.GetIcon(TRUE), icon);
    EXPECT_EQ(dlg.SetIcon(nullptr, TRUE), icon);
    if (icon != nullptr)
    {
        EXPECT_FALSE(dlg.GetWidget()->windowIcon().isNull());
    }
}

TEST(DialogMessages, MoveWindowClampsNegativeSizes)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    CWnd* help = dlg.GetDlgItem(IDC_STATIC_MOUSE_HELP);
    struct Case
    {
        int x, y, w, h;
        BOOL repaint;
        QRect expected;
    } cases[] = {
        {10, 20, 30, 40, FALSE, QRect(10, 20, 30, 40)},
        {5, 6, -7, 8, TRUE, QRect(5, 6, 0, 8)},
        {-3, -4, 9, -1, FALSE, QRect(-3, -4, 9, 0)},
    };
    for (const Case& c : cases)
    {
        help->MoveWindow(c.x, c.y, c.w, c.h, c.repaint);
        EXPECT_EQ(help->GetWidget()->geometry(), c.expected);
    }
}
