// The window as it opens: marks, check boxes, the panel's nine values, the toolbar, the
// tab order and the first camera.
#include "DialogFixture.h"

#include "platform/ToolBar.h"
#include "platform/testing/Testing.h"

#include <QApplication>
#include <QToolButton>
#include <QWidget>

#include <cmath>

namespace
{
using StartState = DialogTest;

TEST_F(StartState, MarksAndBoxesFollowTheViewsDefaults)
{
    const struct
    {
        UINT id;
        bool marked;
    } marks[] = {
        {ID_MOUSE_ENABLE_SPIN, true}, {ID_MOUSE_ENABLE_PAN, true},
        {ID_MOUSE_ENABLE_ZOOM, true}, {ID_PICK_POINT, false},
        {ID_PICK_LINE, false},        {ID_PICK_FACE, false},
        {ID_RENDER_POINT, false},     {ID_RENDER_LINE, false},
        {ID_RENDER_FACE, true},       {ID_RENDER_RAY_TRACE, false},
        {ID_RENDER_AXIS, false},      {ID_RENDER_TRANSPARENTIZE, false},
    };
    for (const auto& m : marks)
        EXPECT_EQ(Marked(m.id), m.marked) << "menu item " << m.id;
    EXPECT_TRUE(Ticked(IDC_CHECK_RENDER_FACETS));
    EXPECT_FALSE(Ticked(IDC_CHECK_WIRE_FRAME));
    EXPECT_FALSE(Ticked(IDC_CHECK_TRANSPARENT));
}

TEST_F(StartState, PanelShowsTheReconciledDefaults)
{
    const struct
    {
        int id;
        const wchar_t* text;
    } rows[] = {
        {IDC_EDIT_TABLE, L"2.650"},
        {IDC_EDIT_DIAMETER, L"5.174"},
        {IDC_EDIT_CROWN_ANGLE, L"34.600"},
        {IDC_EDIT_UPPER_GIRDLE_POINT, L"3.724"},
        {IDC_EDIT_UPPER_GIRDLE_ANGLE, L"39.513"},
        {IDC_EDIT_PAVILION_ANGLE, L"40.800"},
        {IDC_EDIT_LOWER_GIRDLE_POINT, L"1.250"},
        {IDC_EDIT_LOWER_GIRDLE_ANGLE, L"41.480"},
        {IDC_EDIT_GIRDLE_THICKNESS, L"0.260"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Text(r.id), r.text) << "edit " << r.id;
    EXPECT_NE(View().m_pModel, nullptr);
}

TEST_F(StartState, ToolbarHasElevenFlushButtonsAcrossTheTop)
{
    const UINT expected[] = {
        ID_VIEW_POINT_RESET,      ID_VIEW_POINT_LEFT,     ID_VIEW_POINT_RIGHT,
        ID_VIEW_POINT_UP,         ID_VIEW_POINT_DOWN,     ID_VIEW_POINT_SPIN_LEFT,
        ID_VIEW_POINT_SPIN_RIGHT, ID_VIEW_POINT_SPIN_UP,  ID_VIEW_POINT_SPIN_DOWN,
        ID_VIEW_POINT_ZOOM_UP,    ID_VIEW_POINT_ZOOM_DOWN};
    CToolBar& bar = Dlg().m_wndToolBar;
    ASSERT_EQ(bar.GetCount(), 11);
    for (int i = 0; i < 11; ++i)
    {
        UINT id = 0, style = 0;
        int image = -1;
        GetButtonInfo(bar, i, id, style, image);
        EXPECT_EQ(id, expected[i]);
        EXPECT_EQ(style, static_cast<UINT>(TBBS_BUTTON));
        EXPECT_EQ(image, i);
        if (i > 0)
        {
            const QWidget* left = ButtonWidget(bar, i - 1);
            const QWidget* right = ButtonWidget(bar, i);
            ASSERT_TRUE(left && right);
            EXPECT_EQ(left->geometry().right() + 1, right->geometry().left()) << "button " << i;
        }
    }
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_LIST);
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_BORDER_BOTTOM);
    EXPECT_FALSE(bar.GetBarStyle() & CBRS_BORDER_TOP);

    CRect client, rect;
    Dlg().GetClientRect(&client);
    bar.GetWindowRect(&rect);
    Dlg().ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(0, 0, client.Width(), bar.CalcFixedLayout(FALSE, TRUE).cy));
    // The view and the panel start below it.
    EXPECT_GE(ViewRect().top, rect.bottom);
}

TEST_F(StartState, FocusAndTabStops)
{
    CWnd* focused = CWnd::FromWidget(Dlg().GetWidget()->focusWidget());
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->GetDlgCtrlID(), static_cast<UINT>(IDC_BUTTON_UPDATE));

    const int tabStops[] = {IDC_PICTURE, IDC_EDIT_TABLE, IDC_CHECK_WIRE_FRAME, IDCANCEL};
    for (int id : tabStops)
        EXPECT_TRUE(Dlg().GetDlgItem(id)->GetWidget()->focusPolicy() & Qt::TabFocus) << id;
    const int notTabStops[] = {IDC_STATIC_TABLE, IDC_STATIC_MOUSE_HELP, IDC_SPIN_CROWN_ANGLE};
    for (int id : notTabStops)
        EXPECT_FALSE(Dlg().GetDlgItem(id)->GetWidget()->focusPolicy() & Qt::TabFocus) << id;
}

TEST_F(StartState, FirstCameraIsTheHomeView)
{
    CRect client;
    View().GetClientRect(&client);
    EXPECT_EQ(View().m_cx, client.Width());
    EXPECT_EQ(View().m_cy, client.Height());
    EXPECT_FLOAT_EQ(View().m_zoom, 10.0f);
    // A quarter turn about x: y goes to z, z to -y.
    const float* r = View().m_rotation;
    EXPECT_NEAR(r[5], 0.0f, 1e-6f);
    EXPECT_NEAR(r[6], 1.0f, 1e-6f);
    EXPECT_NEAR(r[9], -1.0f, 1e-6f);
    EXPECT_NEAR(r[10], 0.0f, 1e-6f);
    EXPECT_EQ(Dlg().GetIcon(TRUE), Dlg().m_hIcon);
    EXPECT_EQ(Dlg().GetIcon(FALSE), Dlg().m_hIcon);
    EXPECT_NE(Dlg().m_hIcon, nullptr);
}
} // namespace
