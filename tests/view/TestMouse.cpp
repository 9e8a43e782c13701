// Mouse input sent to the view's own native window: drags spin and pan, the wheel zooms,
// switched-off steps still show their cursor, and the mode machine ends drags.
#include "tests/support/ViewHost.h"

#include "platform/Image.h"

#include <QCursor>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr UINT kPanCursor = 133;
constexpr UINT kSpinCursor = 135;

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
