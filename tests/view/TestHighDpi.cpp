// Where the window system scales, the view works in device pixels (its size, viewport,
// picture, picking and mouse points all agree), while the sizes it is given in pixels are
// logical pixels: at any scale it shows the picture of scale 1, only sharper. Runs at any
// scale; the test command runs it once more with the window system scaling by 2.
#include "tests/support/OffscreenGL.h"
#include "tests/support/ViewHost.h"
#include "view/OGLJText.h"

#include <QImage>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

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

// The bounding box of the pixels where two images differ; width 0 when none do.
struct Box
{
    int left = 0, top = 0, width = 0, height = 0;
};

Box Changed(const QImage& a, const QImage& b)
{
    int left = a.width(), top = a.height(), right = -1, bottom = -1;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? Box{} : Box{left, top, right - left + 1, bottom - top + 1};
}

// What a label of `points` draws at scale 1: the same label drawn where nothing scales, in an
// offscreen context, whose text is sized by the screen's logical resolution alone (that
// resolution is the same at every scale; the device-pixel ratio comes on top of it).
Box UnscaledLabel(float points, const wchar_t* text)
{
    OffscreenGL gl(320, 80);
    if (!gl.IsValid())
        return Box{};
    gl.UsePixelProjection();
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const QImage blank = gl.ReadPixels();
    COGLJText label(points);
    label.SetText(L"%ls", text);
    glColor3ub(255, 255, 255);
    glRasterPos2i(8, gl.Height() - 8);
    label.Draw();
    return Changed(gl.ReadPixels(), blank);
}

// What the label draws in the view: the frame with its text against the frame without it.
// The frame-rate line changes with every frame, so it is blank in both unless measured.
Box LabelInView(ViewHost& host, COGLJText& label, const wchar_t* text)
{
    COGLJText& rate = *host.View().m_pFpsLabel;
    auto frame = [&](const wchar_t* shown)
    {
        if (&label != &rate)
            rate.SetText(L"");
        label.SetText(L"%ls", shown);
        return host.Frame();
    };
    const QImage without = frame(L"");
    return Changed(frame(text), without);
}

// The labels' fonts are sized for device pixels, so at any scale a label covers the share of
// the view it covers at scale 1. The texts have brackets, whose ink spans nearly the whole
// line: hinting moves its edges by a pixel at most, where a lone letter's move by three.
TEST(HighDpi, LabelsKeepTheirShareOfTheView)
{
    constexpr float kAxisPoints = 16.0f; // the sizes the view gives its labels
    constexpr float kRatePoints = 12.0f;
    const wchar_t* const axisText = L"[x]";
    const wchar_t* const rateText = L"   63[fps] ( 0.0160[spf] )";
    const Box axisAtOne = UnscaledLabel(kAxisPoints, axisText);
    const Box rateAtOne = UnscaledLabel(kRatePoints, rateText);
    ASSERT_GT(axisAtOne.width, 0);
    ASSERT_GT(rateAtOne.width, 0);

    ViewHost host(300, 240);
    host.SetHomeView();
    CGLPictureCtrl& view = host.View();
    const double ratio = view.GetDevicePixelRatio();
    ASSERT_EQ(view.m_pLabelX->m_size, kAxisPoints);
    ASSERT_EQ(view.m_pFpsLabel->m_size, kRatePoints);
    view.m_bShowAxes = TRUE;
    view.m_axesList = 0;
    struct Case
    {
        const char* what;
        COGLJText* label;
        const wchar_t* text;
        Box atOne;
    };
    const Case cases[] = {
        {"axis label", view.m_pLabelX, axisText, axisAtOne},
        {"frame-rate line", view.m_pFpsLabel, rateText, rateAtOne},
    };
    for (const Case& c : cases)
    {
        const std::wstring kept = c.label->m_text;
        const Box drawn = LabelInView(host, *c.label, c.text);
        c.label->SetText(L"%ls", kept.c_str());
        ASSERT_GT(drawn.width, 0) << c.what;
        EXPECT_NEAR(drawn.width, ratio * c.atOne.width, 2.0) << c.what;
        EXPECT_NEAR(drawn.height, ratio * c.atOne.height, 2.0) << c.what;
    }
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
    EXPECT_TRUE(
        Near(PixelAt(frame, cx - Scaled(45, ratio), cy - Scaled(45, ratio)), kBackground, 1));

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
    const int corner =
        DrawnInRow(points, cy + Scaled(50, ratio), cx + Scaled(40, ratio), cx + Scaled(60, ratio));
    EXPECT_NEAR(corner, view.m_pointSize * ratio, 1.0);

    // A drag follows the cursor: n window pixels move the picture n window pixels.
    host.Drag(Qt::RightButton, inside, inside + QPointF(10, 0));
    EXPECT_NEAR(view.m_center[0], -10.0 / view.m_zoom, 1e-4);
}
} // namespace
