// Where the window system scales, the view works in device pixels (its size, viewport,
// picture, picking and mouse points all agree), while the sizes it is given in pixels are
// logical pixels: at any scale it shows the picture of scale 1, only sharper. Runs at any
// scale; the test command runs it once more with the window system scaling by 2.
#include "tests/support/ViewHost.h"

#include <QImage>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
const Rgb kBackground{191, 191, 191};

int Scaled(double logical, double ratio)
{
    return static_cast<int>(std::lround(logical * ratio));
}

// Pixels of the column x (or the row y) from..to that are not background.
int DrawnInColumn(const QImage& frame, int x, int from, int to)
{
    int n = 0;
    for (int y = from; y <= to; ++y)
        n += Near(PixelAt(frame, x, y), kBackground, 8) ? 0 : 1;
    return n;
}

int DrawnInRow(const QImage& frame, int y, int from, int to)
{
    int n = 0;
    for (int x = from; x <= to; ++x)
        n += Near(PixelAt(frame, x, y), kBackground, 8) ? 0 : 1;
    return n;
}

TEST(HighDpi, DevicePixelsThroughoutAndLogicalSizes)
{
    ViewHost host(200, 150);
    CGLPictureCtrl& view = host.View();
    const double ratio = view.GetDevicePixelRatio();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2"))
    {
        EXPECT_EQ(ratio, 2.0);
    }
    const int w = Scaled(200, ratio);
    const int h = Scaled(150, ratio);
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

    // A facet 10 units wide and high spans 100 logical pixels at the default scale.
    view.m_pModel = MakeTriangleModel({{-5, -5, 0}, {5, -5, 0}, {0, 5, 0}}).release();
    view.m_bPickFaces = TRUE;
    const QImage frame = host.Frame();
    ASSERT_EQ(frame.width(), w);
    ASSERT_EQ(frame.height(), h);
    const int cx = w / 2, cy = h / 2;
    EXPECT_FALSE(Near(PixelAt(frame, cx, cy + Scaled(40, ratio)), kBackground, 8));
    EXPECT_TRUE(Near(PixelAt(frame, cx, cy + Scaled(55, ratio)), kBackground, 1));
    EXPECT_TRUE(Near(PixelAt(frame, cx - Scaled(45, ratio), cy - Scaled(45, ratio)), kBackground,
                     1));

    // A click at a window point picks what is drawn at its device pixel.
    const QPointF inside(cx / ratio + 0.5, cy / ratio + 40.5);
    host.Click(Qt::MiddleButton, inside);
    ASSERT_EQ(view.m_pick[1], GLuint(GL_FILL));
    const QImage picked = host.Frame();
    EXPECT_TRUE(Near(PixelAt(picked, cx, cy + Scaled(40, ratio)), Rgb{255, 255, 0}, 2));

    // The pick square is 10 logical pixels: 4 below the facet's lower edge still hits it.
    std::fill(std::begin(view.m_pick), std::end(view.m_pick), 0u);
    host.Click(Qt::MiddleButton, QPointF(cx / ratio + 0.5, cy / ratio + 54.0));
    EXPECT_EQ(view.m_pick[1], GLuint(GL_FILL));

    // Lines and points keep their widths in logical pixels.
    view.m_bRenderFaces = FALSE;
    view.m_bRenderLines = TRUE;
    view.DeleteModelLists();
    const QImage lines = host.Frame();
    const int edge = DrawnInColumn(lines, cx, cy + Scaled(40, ratio), cy + Scaled(60, ratio));
    EXPECT_NEAR(edge, view.m_lineWidth * ratio, 1.0);
    view.m_bRenderLines = FALSE;
    view.m_bRenderPoints = TRUE;
    view.DeleteModelLists();
    const QImage points = host.Frame();
    const int corner = DrawnInRow(points, cy + Scaled(50, ratio), cx + Scaled(40, ratio),
                                  cx + Scaled(60, ratio));
    EXPECT_NEAR(corner, view.m_pointSize * ratio, 1.0);

    // A drag follows the cursor: n window pixels move the picture n window pixels.
    host.Drag(Qt::RightButton, inside, inside + QPointF(10, 0));
    EXPECT_NEAR(view.m_center[0], -10.0 / view.m_zoom, 1e-4);
}
} // namespace
