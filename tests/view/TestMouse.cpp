// Mouse input sent to the view's own native window: drags spin and pan, the wheel zooms,
// switched-off steps still show their cursor, and the mode machine ends drags.
#include "tests/support/ViewHost.h"

#include "platform/Image.h"
#include "res/resource.h"

#include <QCoreApplication>
#include <QCursor>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
constexpr UINT kPanCursor = IDC_CURSOR_PAN;
constexpr UINT kSpinCursor = IDC_CURSOR_SPIN;

class MouseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = std::make_unique<ViewHost>(400, 300);
        ASSERT_EQ(View().m_cx, 400);
        m_host->ShowDefaultStone();
        std::copy(View().m_rotation, View().m_rotation + 16, m_home);
    }
    CGLPictureCtrl& View() { return m_host->View(); }
    bool RotationIsHome() const
    {
        return std::equal(m_home, m_home + 16, m_host->View().m_rotation);
    }
    bool CursorIs(UINT id) const
    {
        return m_host->NativeWindow()->cursor() == CursorOf(AfxLoadCursor(id));
    }
    std::unique_ptr<ViewHost> m_host;
    float m_home[16];
};

TEST_F(MouseTest, ALeftDragSpinsWithTheTrackball)
{
    m_host->SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {200, 150}, Qt::LeftButton);
    EXPECT_EQ(View().m_mouseMode, 1);
    EXPECT_EQ(CWnd::GetCapture(), &View());
    EXPECT_TRUE(CursorIs(kSpinCursor));
    m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, {300, 150}, Qt::LeftButton);
    EXPECT_TRUE(View().IsInvalid());
    m_host->SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, {300, 150});
    EXPECT_EQ(View().m_mouseMode, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    // A turn about the eye's vertical: the model's x axis swings away from the viewer.
    float v[3];
    CGLPictureCtrl::ProjectToSphere(CPoint(300, 150), 400.0f, 300.0f, v);
    const float radians =
        std::sqrt(v[0] * v[0] + v[1] * v[1] + (v[2] - 1) * (v[2] - 1)) * 3.14159265f;
    EXPECT_NEAR(View().m_rotation[0], std::cos(radians), 1e-4f);
    EXPECT_NEAR(View().m_rotation[2], -std::sin(radians), 1e-4f);
}

TEST_F(MouseTest, ARightDragPansPixelForPixel)
{
    m_host->Drag(Qt::RightButton, {200, 150}, {230, 170}, 3);
    EXPECT_NEAR(View().m_center[0], -3.0f, 1e-5f);
    EXPECT_NEAR(View().m_center[1], 2.0f, 1e-5f);
    EXPECT_EQ(View().m_mouseMode, 0);
    EXPECT_TRUE(RotationIsHome());
}

TEST_F(MouseTest, PressAndReleaseWithoutMovingLeavesTheOrientation)
{
    m_host->Click(Qt::LeftButton, {120, 80});
    m_host->Drag(Qt::LeftButton, {120, 80}, {120, 80});
    EXPECT_TRUE(RotationIsHome());
    for (float f : View().m_rotation)
        EXPECT_TRUE(std::isfinite(f));
}

TEST_F(MouseTest, EachWheelMessageIsOneZoomStep)
{
    struct Case
    {
        int delta;
        float factor;
    };
    const Case cases[] = {
        {120, std::pow(2.0f, 0.012f)},
        {-120, std::pow(2.0f, -0.012f)},
        {3200, std::pow(2.0f, 0.32f)},
        {-3200, std::pow(2.0f, -0.32f)},
        {19, 1.0f},
        {-19, 1.0f},                    // below 20: no rise at all
        {-39, std::pow(2.0f, -0.002f)}, // truncated toward zero
    };
    for (const Case& c : cases)
    {
        View().m_zoom = 10.0f;
        m_host->SendWheel(c.delta, {150, 100});
        EXPECT_NEAR(View().m_zoom, 10.0f * c.factor, 1e-5f) << c.delta;
        EXPECT_EQ(View().m_mouseMode, 0) << c.delta;
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << c.delta;
    }
}

TEST_F(MouseTest, SwitchedOffStepsShowTheirCursorAndMoveNothing)
{
    CGLPictureCtrl& view = View();
    view.m_bEnableSpin = view.m_bEnablePan = view.m_bEnableZoom = FALSE;
    struct Case
    {
        Qt::MouseButton button;
        UINT cursor;
    };
    for (const Case& c : {Case{Qt::LeftButton, kSpinCursor}, Case{Qt::RightButton, kPanCursor}})
    {
        m_host->SendMouse(QEvent::MouseButtonPress, c.button, {200, 150}, c.button);
        m_host->NativeWindow()->setCursor(Qt::ArrowCursor);
        m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, {260, 190}, c.button);
        EXPECT_TRUE(CursorIs(c.cursor)) << c.cursor;
        m_host->SendMouse(QEvent::MouseButtonRelease, c.button, {260, 190});
        EXPECT_EQ(m_host->NativeWindow()->cursor().shape(), Qt::ArrowCursor) << c.cursor;
    }
    m_host->SendWheel(1200, {200, 150});
    EXPECT_TRUE(RotationIsHome());
    EXPECT_EQ(view.m_center[0], 0.0f);
    EXPECT_EQ(view.m_center[1], 0.0f);
    EXPECT_EQ(view.m_zoom, 10.0f);
    EXPECT_EQ(view.m_mouseMode, 0);
}

TEST_F(MouseTest, AWheelTurnOrEitherButtonUpEndsADrag)
{
    CGLPictureCtrl& view = View();
    m_host->SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {200, 150}, Qt::LeftButton);
    m_host->SendWheel(120, {200, 150});
    EXPECT_EQ(view.m_mouseMode, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, {280, 150}, Qt::LeftButton);
    EXPECT_TRUE(RotationIsHome());
    m_host->SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, {280, 150});

    // The right button's release ends a spin; its press during one switches to panning.
    m_host->SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {200, 150}, Qt::LeftButton);
    m_host->SendMouse(QEvent::MouseButtonPress, Qt::RightButton, {200, 150},
                      Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(view.m_mouseMode, 2);
    m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, {210, 150},
                      Qt::LeftButton | Qt::RightButton);
    const float panned = -10.0f / view.m_zoom;
    EXPECT_NEAR(view.m_center[0], panned, 1e-5f);
    EXPECT_TRUE(RotationIsHome());
    m_host->SendMouse(QEvent::MouseButtonRelease, Qt::RightButton, {210, 150}, Qt::LeftButton);
    EXPECT_EQ(view.m_mouseMode, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    // Moves without a drag do nothing.
    m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, {300, 250}, Qt::LeftButton);
    EXPECT_NEAR(view.m_center[0], panned, 1e-5f);
    EXPECT_TRUE(RotationIsHome());
}

// A wheel turn as it arrives in the middle of a drag, with the drag's button held.
void WheelWhileHeld(ViewHost& host, int delta, QPointF pos, Qt::MouseButtons held)
{
    QWindow* window = host.NativeWindow();
    QWheelEvent event(pos, window->mapToGlobal(pos), QPoint(), QPoint(0, delta), held,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &event);
}

// A wheel turn in the middle of a spin or pan makes its one zoom step (none with zooming off)
// and ends the drag as a button-up would: capture and drag cursor go, the rest of the drag
// moves nothing, its release changes nothing, and the next press starts a drag of its own.
TEST_F(MouseTest, AWheelTurnDuringADragZoomsOnceAndEndsTheDrag)
{
    CGLPictureCtrl& view = View();
    struct Case
    {
        Qt::MouseButton button;
        BOOL bZoom;
    };
    const Case cases[] = {
        {Qt::LeftButton, TRUE},
        {Qt::RightButton, TRUE},
        {Qt::LeftButton, FALSE},
        {Qt::RightButton, FALSE},
    };
    for (const Case& c : cases)
    {
        const bool spin = c.button == Qt::LeftButton;
        const char* what =
            spin ? (c.bZoom ? "spin" : "spin, zoom off") : (c.bZoom ? "pan" : "pan, zoom off");
        view.m_bEnableZoom = c.bZoom;
        view.m_zoom = 10.0f;
        std::fill(view.m_center, view.m_center + 3, 0.0f);
        std::copy(m_home, m_home + 16, view.m_rotation);

        m_host->SendMouse(QEvent::MouseButtonPress, c.button, {200, 150}, c.button);
        m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, {230, 170}, c.button);
        ASSERT_EQ(view.m_mouseMode, spin ? 1 : 2) << what;
        ASSERT_TRUE(spin ? !RotationIsHome() : view.m_center[0] != 0.0f)
            << what << ": the drag follows the mouse";
        EXPECT_TRUE(CursorIs(spin ? kSpinCursor : kPanCursor)) << what;
        float rotation[16], center[3];
        std::copy(view.m_rotation, view.m_rotation + 16, rotation);
        std::copy(view.m_center, view.m_center + 3, center);
        const auto unmoved = [&]
        {
            return std::equal(rotation, rotation + 16, view.m_rotation) &&
                   std::equal(center, center + 3, view.m_center);
        };
        // What is left of a drag: nothing once it has ended.
        const auto leftOver = [&]
        {
            std::string left;
            if (view.m_mouseMode != 0)
                left += " mode " + std::to_string(view.m_mouseMode);
            if (CWnd::GetCapture() != nullptr)
                left += " capture";
            if (m_host->NativeWindow()->cursor().shape() != Qt::ArrowCursor ||
                CursorIs(kSpinCursor) || CursorIs(kPanCursor))
                left += " cursor";
            return left;
        };

        WheelWhileHeld(*m_host, 120, {230, 170}, c.button);
        const float zoomed = c.bZoom ? 10.0f * std::pow(2.0f, 0.012f) : 10.0f;
        EXPECT_NEAR(view.m_zoom, zoomed, 1e-5f) << what;
        EXPECT_EQ(leftOver(), "") << what;
        EXPECT_TRUE(unmoved()) << what;

        // The rest of the drag, button still held, then its release.
        for (QPointF p : {QPointF(260, 190), QPointF(300, 220)})
            m_host->SendMouse(QEvent::MouseMove, Qt::NoButton, p, c.button);
        EXPECT_TRUE(unmoved()) << what;
        EXPECT_EQ(leftOver(), "") << what;
        m_host->SendMouse(QEvent::MouseButtonRelease, c.button, {300, 220});
        EXPECT_TRUE(unmoved()) << what;
        EXPECT_EQ(leftOver(), "") << what;
        EXPECT_NEAR(view.m_zoom, zoomed, 1e-5f) << what;

        // A new drag pans from its own press point, not from where the wheel was turned.
        m_host->Drag(Qt::RightButton, {300, 220}, {310, 220});
        EXPECT_NEAR(view.m_center[0], center[0] - 10.0f / view.m_zoom, 1e-5f) << what;
        EXPECT_NEAR(view.m_center[1], center[1], 1e-5f) << what;
        EXPECT_EQ(leftOver(), "") << what;
    }
}

TEST_F(MouseTest, TheHostShowsAStoneThatSpinsPansZoomsAndHighlightsItsPick)
{
    // The stone's pixels before and after each gesture differ; what a middle click picks
    // shows in the highlight colour within the pick region around the click.
    const Rgb yellow{255, 255, 0};
    QImage before = m_host->Frame();
    m_host->Drag(Qt::LeftButton, {200, 150}, {200, 110}, 4); // tip the crown toward us
    QImage after = m_host->Frame();
    EXPECT_NE(before, after);
    before = after;
    m_host->Drag(Qt::RightButton, {200, 150}, {240, 150});
    after = m_host->Frame();
    EXPECT_NE(before, after);
    before = after;
    m_host->SendWheel(1200, {200, 150});
    after = m_host->Frame();
    EXPECT_NE(before, after);
    View().m_bPickFaces = TRUE;
    m_host->Click(Qt::MiddleButton, {240, 160});
    ASSERT_EQ(View().m_pick[1], GLuint(GL_FILL));
    EXPECT_GT(CountNearAround(m_host->Frame(), 240, 160, 5, yellow, 2), 0);
}
} // namespace
