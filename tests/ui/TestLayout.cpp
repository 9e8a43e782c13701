// The layout follows the window: anchors on resize, the minimum size, the background
// erase that spares the children, and the wheel forwarded to the view.
#include "DialogFixture.h"

#include "platform/Gdi.h"
#include "platform/ToolBar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <map>

namespace
{
using Layout = DialogTest;

enum class Kind
{
    Stretch,
    TopRight,
    BottomLeft,
    BottomRight
};

Kind KindOf(int id)
{
    if (id == IDC_PICTURE)
        return Kind::Stretch;
    if (id == IDC_STATIC_MOUSE_HELP ||
        (id >= IDC_CHECK_RENDER_FACETS && id <= IDC_CHECK_TRANSPARENT))
        return Kind::BottomLeft;
    if (id == IDOK || id == IDCANCEL)
        return Kind::BottomRight;
    return Kind::TopRight;
}

std::vector<int> LaidOutIds()
{
    std::vector<int> ids = {IDOK, IDCANCEL};
    for (int id = IDC_PICTURE; id <= IDC_STATIC_MOUSE_HELP; ++id)
        ids.push_back(id);
    return ids;
}

std::map<int, CRect> Placement(CDialog& dlg)
{
    std::map<int, CRect> rects;
    for (int id : LaidOutIds())
    {
        CWnd* control = dlg.GetDlgItem(id);
        EXPECT_NE(control, nullptr) << id;
        if (control == nullptr)
            continue;
        CRect rect;
        control->GetWindowRect(&rect);
        dlg.ScreenToClient(&rect);
        rects[id] = rect;
    }
    return rects;
}

CRect ClientRectOf(CWnd& wnd)
{
    CRect rect;
    wnd.GetClientRect(&rect);
    return rect;
}

// Resizes the window and waits until the client area has taken the new size.
void ResizeWindow(CDialog& dlg, int width, int height)
{
    QWidget* window = dlg.GetWidget();
    const CRect before = ClientRectOf(dlg);
    window->resize(width, height);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2000 && ClientRectOf(dlg) == before)
        QTest::qWait(5);
    QTest::qWait(10);
}

TEST_F(Layout, GrowingTheClientMovesEachAnchorByExactlyTheGrowth)
{
    const std::map<int, CRect> before = Placement(Dlg());
    const CRect clientBefore = ClientRectOf(Dlg());
    CRect barBefore;
    Dlg().m_wndToolBar.GetWindowRect(&barBefore);

    QWidget* window = Dlg().GetWidget();
    ResizeWindow(Dlg(), window->width() + 137, window->height() + 61);
    const CRect clientAfter = ClientRectOf(Dlg());
    const int dx = clientAfter.Width() - clientBefore.Width();
    const int dy = clientAfter.Height() - clientBefore.Height();
    ASSERT_EQ(dx, 137);
    ASSERT_EQ(dy, 61);

    const std::map<int, CRect> after = Placement(Dlg());
    for (const auto& [id, was] : before)
    {
        const CRect now = after.at(id);
        int moveX = 0, moveY = 0, growX = 0, growY = 0;
        switch (KindOf(id))
        {
        case Kind::Stretch:
            growX = dx;
            growY = dy;
            break;
        case Kind::TopRight:
            moveX = dx;
            break;
        case Kind::BottomLeft:
            moveY = dy;
            break;
        case Kind::BottomRight:
            moveX = dx;
            moveY = dy;
            break;
        }
        EXPECT_EQ(now.left, was.left + moveX) << "control " << id;
        EXPECT_EQ(now.top, was.top + moveY) << "control " << id;
        EXPECT_EQ(now.Width(), was.Width() + growX) << "control " << id;
        EXPECT_EQ(now.Height(), was.Height() + growY) << "control " << id;
    }
    CRect barAfter;
    Dlg().m_wndToolBar.GetWindowRect(&barAfter);
    EXPECT_EQ(barAfter.Width(), barBefore.Width() + dx);
    EXPECT_EQ(barAfter.Height(), barBefore.Height());

    // The view took its new size as well.
    CRect view;
    View().GetClientRect(&view);
    EXPECT_EQ(View().m_cx, view.Width());
    EXPECT_EQ(View().m_cy, view.Height());

    // Back to the old size, every control is exactly where it was.
    ResizeWindow(Dlg(), window->width() - 137, window->height() - 61);
    EXPECT_EQ(Placement(Dlg()), before);
}

TEST_F(Layout, MinimiseAndRestorePutEveryControlBack)
{
    const std::map<int, CRect> before = Placement(Dlg());
    QWidget* window = Dlg().GetWidget();
    window->showMinimized();
    Process(50);
    window->showNormal();
    Process(50);
    EXPECT_EQ(Placement(Dlg()), before);
    // The smallest window and back again, too.
    const QSize size = window->size();
    ResizeWindow(Dlg(), 1, 1);
    ResizeWindow(Dlg(), size.width(), size.height());
    EXPECT_EQ(Placement(Dlg()), before);
}

TEST_F(Layout, TheWindowCannotBeDraggedBelowTheMinimum)
{
    // Every proposal is 10 by 200 pixels; the edge being dragged stops at 480 by 400.
    const CRect dragLeft(590, 100, 600, 300);
    const CRect dragRight(100, 100, 110, 300);
    const struct
    {
        UINT side;
        CRect proposed;
        CRect expected;
    } cases[] = {
        {WMSZ_LEFT, dragLeft, CRect(120, 100, 600, 500)},
        {WMSZ_TOPLEFT, dragLeft, CRect(120, -100, 600, 300)},
        {WMSZ_BOTTOMLEFT, dragLeft, CRect(120, 100, 600, 500)},
        {WMSZ_RIGHT, dragRight, CRect(100, 100, 580, 500)},
        {WMSZ_TOPRIGHT, dragRight, CRect(100, -100, 580, 300)},
        {WMSZ_BOTTOMRIGHT, dragRight, CRect(100, 100, 580, 500)},
        {WMSZ_TOP, dragRight, CRect(100, -100, 580, 300)},
        {WMSZ_BOTTOM, dragRight, CRect(100, 100, 580, 500)},
    };
    for (const auto& c : cases)
    {
        CRect proposed = c.proposed;
        Message msg;
        msg.message = WM_SIZING;
        msg.nFlags = c.side;
        msg.pRect = &proposed;
        ASSERT_TRUE(Dlg().Dispatch(msg));
        EXPECT_EQ(proposed, c.expected) << "side " << c.side;
    }

    // The window system enforces the same limit on the window, frame included.
    QWidget* window = Dlg().GetWidget();
    ResizeWindow(Dlg(), 50, 50);
    const QRect frame = window->frameGeometry();
    EXPECT_EQ(frame.width(), 480);
    EXPECT_EQ(frame.height(), 400);
}

TEST_F(Layout, EraseSparesEveryVisibleChildAndTheToolbar)
{
    const CRect client = ClientRectOf(Dlg());
    QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
    const QRgb sentinel = qRgb(255, 0, 255);
    image.fill(sentinel);
    {
        QPainter painter(&image);
        CDC dc(&painter);
        EXPECT_TRUE(Dlg().OnEraseBkgnd(&dc));
    }
    std::vector<CRect> spared;
    std::vector<int> ids = {IDCANCEL};
    for (int id = IDC_PICTURE; id <= IDC_STATIC_MOUSE_HELP; ++id)
        ids.push_back(id);
    for (int id : ids)
    {
        CWnd* control = Dlg().GetDlgItem(id);
        ASSERT_NE(control, nullptr);
        if (!control->IsWindowVisible())
            continue;
        CRect rect;
        control->GetWindowRect(&rect);
        Dlg().ScreenToClient(&rect);
        spared.push_back(rect);
    }
    CRect bar;
    Dlg().m_wndToolBar.GetWindowRect(&bar);
    Dlg().ScreenToClient(&bar);
    spared.push_back(bar);
    ASSERT_FALSE(Dlg().GetDlgItem(IDOK)->IsWindowVisible());

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const QRgb faceRgb = qRgb(GetRValue(face), GetGValue(face), GetBValue(face));
    long wrong = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            bool inside = false;
            for (const CRect& r : spared)
                inside = inside || r.PtInRect(CPoint(x, y));
            const QRgb expected = inside ? sentinel : faceRgb;
            if (image.pixel(x, y) != expected && wrong++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << (inside ? " under a child" : " free");
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Layout, WheelOverTheViewZoomsOnceAndNowhereElse)
{
    const float notch = std::pow(2.0f, 6 * 0.002f);
    CRect view;
    View().GetWindowRect(&view);
    const CPoint inView((view.left + view.right) / 2, (view.top + view.bottom) / 2);

    // A real wheel turn over the view, with a panel edit holding the keyboard focus.
    Dlg().GetDlgItem(IDC_EDIT_TABLE)->SetFocus();
    QWindow* native = View().GetNativeWindow();
    ASSERT_NE(native, nullptr);
    const QPointF local(native->width() / 2.0, native->height() / 2.0);
    QWheelEvent turn(local, native->mapToGlobal(local), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(native, &turn);
    EXPECT_FLOAT_EQ(View().m_zoom, 10.0f * notch);

    // A wheel message that reaches the dialog over the view is forwarded once.
    View().m_zoom = 10.0f;
    Dlg().OnMouseWheel(0, 120, inView);
    EXPECT_FLOAT_EQ(View().m_zoom, 10.0f * notch);

    // Over the panel, the toolbar or the background nothing zooms, real wheel or not.
    View().m_zoom = 10.0f;
    for (int id : {IDC_EDIT_TABLE, IDC_BUTTON_UPDATE, IDC_STATIC_MOUSE_HELP})
    {
        QWidget* widget = Dlg().GetDlgItem(id)->GetWidget();
        const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
        QWheelEvent over(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &over);
        EXPECT_FLOAT_EQ(View().m_zoom, 10.0f) << "control " << id;
    }
    CRect bar;
    Dlg().m_wndToolBar.GetWindowRect(&bar);
    Dlg().OnMouseWheel(0, 120, CPoint(bar.left + 2, bar.top + 2));
    EXPECT_FLOAT_EQ(View().m_zoom, 10.0f);
}
} // namespace
