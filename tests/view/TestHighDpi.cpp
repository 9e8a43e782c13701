// Where the window system scales, the view works in device pixels: its size, viewport,
// picture, picking and mouse points all agree. Runs at any scale; the test command runs it
// once more with the window system scaling by 2.
#include "tests/support/ViewHost.h"

#include <QImage>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
TEST(HighDpi, ViewportPictureMouseAndPickAgreeInDevicePixels)
{
    ViewHost host(200, 150);
    CGLPictureCtrl& view = host.View();
    const double ratio = view.GetDevicePixelRatio();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2"))
    {
        EXPECT_EQ(ratio, 2.0);
    }
    const int w = static_cast<int>(std::lround(200 * ratio));
    const int h = static_cast<int>(std::lround(150 * ratio));
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, w, h));
    EXPECT_EQ(view.m_cx, w);
    EXPECT_EQ(view.m_cy, h);
    // Text is sized for device pixels too.
    const QScreen* screen = host.NativeWindow()->screen();
    EXPECT_EQ(GetDeviceCaps(view.m_pDC->GetSafeHdc(), LOGPIXELSY),
              std::lround(screen->logicalDotsPerInchY() * ratio));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], w);
    EXPECT_EQ(viewport[3], h);

    // A facet 10 units wide and high is 100 device pixels at the default scale.
    view.m_pModel = MakeTriangleModel({{-5, -5, 0}, {5, -5, 0}, {0, 5, 0}}).release();
    view.m_bPickFaces = TRUE;
    const QImage frame = host.Frame();
    ASSERT_EQ(frame.width(), w);
    ASSERT_EQ(frame.height(), h);
    const Rgb background{191, 191, 191};
    const int cx = w / 2, cy = h / 2;
    EXPECT_FALSE(Near(PixelAt(frame, cx, cy + 40), background, 8));
    EXPECT_TRUE(Near(PixelAt(frame, cx, cy + 55), background, 1));
    EXPECT_TRUE(Near(PixelAt(frame, cx - 45, cy - 45), background, 1));

    // A click at a window point picks what is drawn at its device pixel.
    const QPointF inside((cx + 0.5) / ratio, (cy + 40.5) / ratio);
    host.Click(Qt::MiddleButton, inside);
    ASSERT_EQ(view.m_pick[1], GLuint(GL_FILL));
    const QImage picked = host.Frame();
    EXPECT_TRUE(Near(PixelAt(picked, cx, cy + 40), Rgb{255, 255, 0}, 2));

    // A drag of n window pixels moves the picture n · ratio device pixels.
    host.Drag(Qt::RightButton, inside, inside + QPointF(10, 0));
    EXPECT_NEAR(view.m_center[0], -10.0 * ratio / view.m_zoom, 1e-4);
}
} // namespace
