// The toolbar: one row of image buttons flush against each other; a click is the command.

#include "ProbeDialog.h"
#include "tests/support/DialogHost.h"

#include "platform/Image.h"
#include "platform/ToolBar.h"
#include "platform/testing/Testing.h"
#include "res/resource.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace
{
const UINT kCommands[] = {ID_VIEW_POINT_RESET,      ID_VIEW_POINT_LEFT,     ID_VIEW_POINT_RIGHT,
                          ID_VIEW_POINT_UP,         ID_VIEW_POINT_DOWN,     ID_VIEW_POINT_SPIN_LEFT,
                          ID_VIEW_POINT_SPIN_RIGHT, ID_VIEW_POINT_SPIN_UP,  ID_VIEW_POINT_SPIN_DOWN,
                          ID_VIEW_POINT_ZOOM_UP,    ID_VIEW_POINT_ZOOM_DOWN};

// The toolbar as the main dialog makes it.
void MakeViewBar(CToolBar& bar, CDialog& dlg)
{
    ASSERT_TRUE(bar.Create(&dlg, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDR_TOOLBAR_VIEW));
    bar.ModifyStyle(0, TBSTYLE_LIST);
    bar.LoadBitmap(IDR_TOOLBAR_VIEW);
    bar.SetButtons(nullptr, 11);
    bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_BORDER_TOP) | CBRS_BORDER_BOTTOM);
    for (int i = 0; i < 11; ++i)
        bar.SetButtonInfo(i, kCommands[i], TBBS_BUTTON, i);
}
} // namespace

TEST(ToolBar, ElevenButtonsFlushInOneRow)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    CToolBar bar;
    MakeViewBar(bar, dlg);
    EXPECT_EQ(bar.GetDlgCtrlID(), UINT(IDR_TOOLBAR_VIEW));
    EXPECT_EQ(dlg.GetDlgItem(IDR_TOOLBAR_VIEW), &bar);
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_LIST);
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(bar.GetBarStyle() & (CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM),
              DWORD(CBRS_BORDER_BOTTOM));
    ASSERT_EQ(bar.GetCount(), 11);

    const bool haveStrip = !AfxLoadBitmap(IDR_TOOLBAR_VIEW).isNull();
    int right = 0;
    for (int i = 0; i < 11; ++i)
    {
        UINT id = 0;
        UINT style = 99;
        int image = -2;
        GetButtonInfo(bar, i, id, style, image);
        EXPECT_EQ(id, kCommands[i]);
        EXPECT_EQ(style, UINT(TBBS_BUTTON));
        EXPECT_EQ(image, i);
        QToolButton* button = ButtonWidget(bar, i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->x(), right) << i; // flush against the one before
        right = button->geometry().right() + 1;
        EXPECT_EQ(button->iconSize(), QSize(16, 15));
        if (haveStrip)
        {
            EXPECT_FALSE(button->icon().isNull()) << i;
        }
    }

    const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(size.cx, right);
    EXPECT_GT(size.cy, CToolBar::kButtonHeight);
    // The bottom border counts in the height; the top one, removed, does not.
    const int withBottom = size.cy;
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_BORDER_TOP);
    EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE).cy, withBottom + CToolBar::kBorder);
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cx, client.Width());
}

TEST(ToolBar, ClickSendsTheButtonsCommandToTheParent)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    CToolBar bar;
    MakeViewBar(bar, dlg);
    bar.MoveWindow(0, 0, 400, bar.CalcFixedLayout(FALSE, TRUE).cy);
    host.ProcessEvents();
    QTest::mouseClick(ButtonWidget(bar, 0), Qt::LeftButton);
    EXPECT_EQ(dlg.Count(WM_COMMAND, ID_VIEW_POINT_RESET), 1);
    EXPECT_TRUE(ClickButton(bar, 0));
    EXPECT_EQ(dlg.Count(WM_COMMAND, ID_VIEW_POINT_RESET), 2);
    EXPECT_FALSE(ClickButton(bar, 11));
    // The buttons are named after their menu items.
    EXPECT_EQ(ButtonWidget(bar, 9)->accessibleName(), QStringLiteral("Zoom Up"));
}

TEST(ToolBar, CreateNeedsAParentWindowAndBlankButtonsSendNothing)
{
    CToolBar orphan;
    EXPECT_FALSE(orphan.Create(nullptr));
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&dlg));
    EXPECT_FALSE(bar.Create(&dlg)); // once
    bar.SetButtons(nullptr, 3);
    EXPECT_TRUE(ClickButton(bar, 1));
    EXPECT_EQ(dlg.Count(WM_COMMAND), 0);
    EXPECT_FALSE(bar.LoadBitmap(4711));
    // The dialog's destruction takes the bar's window with it.
    dlg.DestroyWindow();
    EXPECT_EQ(bar.GetWidget(), nullptr);
    EXPECT_EQ(ButtonWidget(bar, 0), nullptr);
}
