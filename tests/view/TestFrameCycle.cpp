// Binding, the context, size notifications and the frame cycle of the 3D view.
#include "tests/support/ViewHost.h"

#include "model/Model.h"
#include "view/OGLJText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QOpenGLContext>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace
{
constexpr Rgb kBackground{191, 191, 191}; // 0.75 grey
constexpr Rgb kAxisGrey{80, 80, 80};
constexpr Rgb kOverlayGrey{128, 128, 128};

void ExpectMatrix(GLenum which, const float expected[16], const char* what)
{
    float m[16];
    glGetFloatv(which, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], expected[i], 1e-5f) << what << " element " << i;
}

TEST(FrameCycle, BindingLeavesAContextCurrentWithTheViewsClearColour)
{
    ViewHost host(200, 150, false);
    CGLPictureCtrl& view = host.View();
    ASSERT_NE(view.m_hRC, nullptr);
    ASSERT_NE(view.m_pDC, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), view.m_hRC);
    EXPECT_EQ(wglGetCurrentDC(), view.m_pDC->GetSafeHdc());
    float clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.75f);
    EXPECT_FLOAT_EQ(clear[1], 0.75f);
    EXPECT_FLOAT_EQ(clear[2], 0.75f);
    EXPECT_FLOAT_EQ(clear[3], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LEQUAL);
    EXPECT_TRUE(view.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_TRUE(view.GetStyle() & WS_CLIPSIBLINGS);

    // The format it got: double-buffered RGB, 8 bits a channel, at least 24 depth bits.
    PIXELFORMATDESCRIPTOR got;
    ASSERT_TRUE(DescribePixelFormat(view.m_pDC->GetSafeHdc(), &got));
    EXPECT_TRUE(got.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_EQ(got.cColorBits, 24);
    EXPECT_GE(got.cDepthBits, 24);
    // A fixed-function call draws: a compatibility context.
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    GLint lists = glGenLists(1);
    EXPECT_NE(lists, 0);
    glDeleteLists(lists, 1);
    EXPECT_EQ(TakeGLError(), GLenum(GL_NO_ERROR));
}

TEST(FrameCycle, PixelFormatsServeOnlyWindowDrawingWithOpenGL)
{
    ViewHost host(64, 64, false);
    const HDC hdc = host.View().m_pDC->GetSafeHdc();
    PIXELFORMATDESCRIPTOR pfd = CGLPictureCtrl::s_pixelFormat;
    EXPECT_EQ(ChoosePixelFormat(hdc, &pfd), 1);
    EXPECT_EQ(ChoosePixelFormat(nullptr, &pfd), 0);
    EXPECT_EQ(ChoosePixelFormat(hdc, nullptr), 0);
    pfd.iPixelType = PFD_TYPE_COLORINDEX;
    EXPECT_EQ(ChoosePixelFormat(hdc, &pfd), 0);
    pfd = CGLPictureCtrl::s_pixelFormat;
    pfd.dwFlags &= ~DWORD(PFD_SUPPORT_OPENGL);
    EXPECT_EQ(ChoosePixelFormat(hdc, &pfd), 0);
    // The window has its format already: it is not set twice.
    EXPECT_FALSE(SetPixelFormat(hdc, 1, &CGLPictureCtrl::s_pixelFormat));
    EXPECT_EQ(wglCreateContext(nullptr), nullptr);
    EXPECT_FALSE(wglMakeCurrent(nullptr, host.View().m_hRC));
    EXPECT_FALSE(SwapBuffers(nullptr));
}

TEST(FrameCycle, SizeNotificationsSetViewportAndProjectionButZeroSizesChangeNothing)
{
    ViewHost host(200, 150, false);
    CGLPictureCtrl& view = host.View();
    view.OnSize(SIZE_RESTORED, 120, 80);
    ASSERT_EQ(view.m_cx, 120);
    ASSERT_EQ(view.m_cy, 80);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 120);
    EXPECT_EQ(viewport[3], 80);
    // Ortho of ±6 × ±4 units at 10 pixels a unit, near 0.1, far 1000.
    const float n = 0.1f, f = 1000.0f;
    const float projection[16] = {
        1.0f / 6, 0, 0, 0, 0, 1.0f / 4, 0, 0, 0, 0, -2 / (f - n), 0, 0, 0, -(f + n) / (f - n), 1};
    ExpectMatrix(GL_PROJECTION_MATRIX, projection, "projection");
    const float lookAt[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -500, 1};
    ExpectMatrix(GL_MODELVIEW_MATRIX, lookAt, "model-view");
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    for (CSize zero : {CSize(0, 50), CSize(50, 0), CSize(0, 0), CSize(-3, 40)})
    {
        view.OnSize(SIZE_RESTORED, zero.cx, zero.cy);
        EXPECT_EQ(view.m_cx, 120);
        EXPECT_EQ(view.m_cy, 80);
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 120);
        EXPECT_EQ(viewport[3], 80);
        ExpectMatrix(GL_PROJECTION_MATRIX, projection, "projection after a zero size");
    }
}

TEST(FrameCycle, ASizeWithoutAContextCreatesItFirst)
{
    ViewHost host(100, 100, false);
    CGLPictureCtrl& view = host.View();
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(view.m_hRC);
    view.m_hRC = nullptr;
    view.OnSize(SIZE_RESTORED, 90, 70);
    ASSERT_NE(view.m_hRC, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), view.m_hRC);
    EXPECT_EQ(view.m_cx, 90);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 90);
    EXPECT_EQ(viewport[3], 70);
}

TEST(FrameCycle, AFrameLeavesBothMatricesAsItFoundThem)
{
    ViewHost host(200, 150);
    host.ShowDefaultStone();
    host.View().m_bShowAxes = TRUE;
    host.View().m_bRenderLines = TRUE;
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    ASSERT_TRUE(host.Paint());
    ASSERT_TRUE(host.Paint());
    ExpectMatrix(GL_PROJECTION_MATRIX, projection, "projection");
    ExpectMatrix(GL_MODELVIEW_MATRIX, modelView, "model-view");
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(TakeGLError(), GLenum(GL_NO_ERROR));
}

TEST(FrameCycle, WithoutAModelAFrameIsBackgroundAxesAndOverlay)
{
    ViewHost host(240, 200);
    host.SetHomeView();
    CGLPictureCtrl& view = host.View();
    QImage frame = host.Frame();
    ASSERT_FALSE(frame.isNull());
    const int overlay = CountNear(frame, kOverlayGrey, 12);
    EXPECT_GT(overlay, 20);
    EXPECT_EQ(CountNear(frame, kAxisGrey, 12), 0);
    EXPECT_EQ(CountNear(frame, kBackground, 1) + CountNear(frame, kOverlayGrey, 1),
              frame.width() * frame.height());

    view.m_bShowAxes = TRUE;
    view.m_axesList = 0;
    frame = host.Frame();
    EXPECT_GT(CountNear(frame, kAxisGrey, 12), 2 * 50); // the x axis, 3 pixels wide
    // The x axis runs right from the centre: its 10 units are 100 pixels.
    EXPECT_TRUE(Near(PixelAt(frame, 120 + 60, 100), kAxisGrey, 12));
    EXPECT_TRUE(Near(PixelAt(frame, 120 - 60, 100), kBackground, 1));
    EXPECT_TRUE(Near(PixelAt(frame, 5, frame.height() - 5), kBackground, 1));
}

TEST(FrameCycle, TheOverlaySitsTopLeftAndTheStoneNeverHidesIt)
{
    ViewHost host(300, 200);
    CGLPictureCtrl& view = host.View();
    // A facet in front of everything, over the whole view.
    view.m_pModel =
        MakeTriangleModel({{-100, -100, 499}, {100, -100, 499}, {0, 100, 499}}).release();
    host.Frame();
    const QImage frame = host.Frame();
    // The text's top-left corner is 5 % in from the top-left corner; the frame rate is
    // right-aligned, so its first glyph lies some blanks further right.
    int left = frame.width(), top = frame.height();
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (Near(PixelAt(frame, x, y), kOverlayGrey, 12))
            {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    EXPECT_GE(left, 15);
    EXPECT_LT(left, 15 + 5 * 12);
    EXPECT_NEAR(top, 10, 5);
}

TEST(FrameCycle, FrameTimeTexts)
{
    ViewHost host(64, 64, false);
    // Until a frame has been measured the line is empty.
    ASSERT_NE(host.View().m_pFpsLabel->m_text, nullptr);
    EXPECT_STREQ(host.View().m_pFpsLabel->m_text, L"");
    struct Case
    {
        DWORD dt;
        const wchar_t* text;
    };
    const Case cases[] = {
        {16, L"   63[fps] ( 0.0160[spf] )"},   {0, L" 1000[fps] ( 0.0010[spf] )"},
        {1, L" 1000[fps] ( 0.0010[spf] )"},    {3, L"  333[fps] ( 0.0030[spf] )"},
        {1500, L"    1[fps] ( 1.5000[spf] )"},
    };
    for (const Case& c : cases)
    {
        host.View().ShowFrameTime(c.dt);
        ASSERT_NE(host.View().m_pFpsLabel->m_text, nullptr);
        EXPECT_STREQ(host.View().m_pFpsLabel->m_text, c.text) << c.dt;
    }
}

TEST(FrameCycle, TheAxesListIsCompiledEmptyWhileTheAxesAreOff)
{
    ViewHost host(240, 200);
    host.SetHomeView();
    CGLPictureCtrl& view = host.View();
    host.Frame();
    ASSERT_NE(view.m_axesList, 0u);
    EXPECT_TRUE(glIsList(view.m_axesList));
    // Turning the axes on shows nothing until the list is reset.
    view.m_bShowAxes = TRUE;
    QImage frame = host.Frame();
    EXPECT_TRUE(Near(PixelAt(frame, 180, 100), kBackground, 1));
    view.m_axesList = 0;
    frame = host.Frame();
    EXPECT_TRUE(Near(PixelAt(frame, 180, 100), kAxisGrey, 12));
}

TEST(FrameCycle, ModelListsAreCompiledOnceAndDeletedOnRequest)
{
    ViewHost host(200, 150);
    host.ShowDefaultStone();
    CGLPictureCtrl& view = host.View();
    view.m_bRenderLines = TRUE;
    view.m_bRenderPoints = TRUE;
    host.Paint();
    const GLuint lists[3] = {view.m_faceList, view.m_lineList, view.m_pointList};
    for (GLuint list : lists)
        EXPECT_TRUE(list != 0 && glIsList(list));
    host.Paint();
    EXPECT_EQ(view.m_faceList, lists[0]);
    EXPECT_EQ(view.m_lineList, lists[1]);
    EXPECT_EQ(view.m_pointList, lists[2]);
    view.DeleteModelLists();
    EXPECT_EQ(view.m_faceList, 0u);
    EXPECT_EQ(view.m_lineList, 0u);
    EXPECT_EQ(view.m_pointList, 0u);
    for (GLuint list : lists)
        EXPECT_FALSE(glIsList(list));
    view.DeleteModelLists(); // nothing left to delete
}

TEST(FrameCycle, MovingRepaintsAtOnce)
{
    ViewHost host(200, 150);
    host.SetHomeView();
    CGLPictureCtrl& view = host.View();
    host.Frame();
    view.m_bgColor[0] = 0.0f; // the clear colour itself only changes through the dialog
    glClearColor(0.0f, 0.75f, 0.75f, 0.0f);
    view.OnMove(10, 10);
    EXPECT_FALSE(view.IsInvalid());
    EXPECT_TRUE(Near(PixelAt(host.ReadFront(), 5, 5), Rgb{0, 191, 191}, 1));
}

TEST(FrameCycle, DestroyingTheWindowReleasesTheContextAndLaterPaintsDrawNothing)
{
    ViewHost host(100, 100);
    CGLPictureCtrl& view = host.View();
    ASSERT_NE(view.m_hRC, nullptr);
    delete host.Window()->findChild<QWidget*>(); // the frame the view is bound to
    EXPECT_EQ(view.m_hRC, nullptr);
    EXPECT_EQ(view.m_pDC, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    view.OnPaint(); // a late paint finds no device context
    view.OnSize(SIZE_RESTORED, 50, 50);
    EXPECT_EQ(view.m_hRC, nullptr);
}

// What the view shows below the frame-rate line, which changes with every frame.
QImage BelowTheRateLine(const QImage& frame)
{
    return frame.copy(0, frame.height() / 4, frame.width(), frame.height() - frame.height() / 4);
}

// Pixels that differ between two pictures of one size; every pixel when the sizes differ.
int Differing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return n;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

bool CurrentOn(const QWindow* window)
{
    const QOpenGLContext* current = QOpenGLContext::currentContext();
    return current != nullptr && current->surface() == window;
}

// The window system can take the native surface while the window lives on, and give it back
// later. Meanwhile no context may stay current on the dead surface, invalidations must not
// wedge the paint scheduling, and once the surface is back the view paints as before.
TEST(FrameCycle, ASurfaceTakenAndGivenBackLeavesTheViewPainting)
{
    ViewHost host(200, 150);
    host.ShowDefaultStone();
    CGLPictureCtrl& view = host.View();
    QWindow* window = host.NativeWindow();
    const QImage before = BelowTheRateLine(host.Frame());
    ASSERT_FALSE(before.isNull());

    struct Case
    {
        const char* how;
        std::function<void()> giveBack;
    };
    const Case cases[] = {
        {"created, then shown",
         [window]
         {
             window->create();
             window->show();
         }},
        {"shown", [window] { window->show(); }},
    };
    for (const Case& c : cases)
    {
        window->destroy();
        ASSERT_EQ(window->handle(), nullptr) << c.how;
        EXPECT_FALSE(CurrentOn(window)) << c.how;
        // The view keeps its context for the surface to come.
        EXPECT_NE(view.m_hRC, nullptr) << c.how;
        EXPECT_EQ(view.GetNativeWindow(), window) << c.how;

        view.InvalidateRect(nullptr, FALSE);
        view.UpdateWindow();
        EXPECT_FALSE(host.Paint()) << c.how;
        ViewHost::ProcessEvents();
        EXPECT_EQ(window->handle(), nullptr) << c.how << ": nothing brings the surface back";
        EXPECT_FALSE(CurrentOn(window)) << c.how;

        c.giveBack();
        ASSERT_TRUE(host.WaitExposed()) << c.how;
        // The window's first exposure paints what was invalidated while it was gone.
        EXPECT_FALSE(view.IsInvalid()) << c.how;
        EXPECT_TRUE(CurrentOn(window)) << c.how;
        EXPECT_EQ(Differing(BelowTheRateLine(host.ReadFront()), before), 0) << c.how;
        // An invalidation is painted by the event loop again.
        view.InvalidateRect(nullptr, FALSE);
        EXPECT_TRUE(WaitUntil([&] { return !view.IsInvalid(); })) << c.how;
        EXPECT_EQ(Differing(BelowTheRateLine(host.Frame()), before), 0) << c.how;
        EXPECT_EQ(TakeGLError(), GLenum(GL_NO_ERROR)) << c.how;
    }
}

// While the surface is gone the context waits on a stand-in, so camera and size changes
// made in between still reach it and show once the surface is back.
TEST(FrameCycle, ChangesWhileTheSurfaceIsGoneShowOnceItIsBack)
{
    struct Case
    {
        const char* what;
        std::function<void(ViewHost&)> change;
    };
    const Case cases[] = {
        {"a pan",
         [](ViewHost& host) {
             host.Drag(Qt::RightButton, {100, 75}, {130, 60});
         }},
        {"a zoom",
         [](ViewHost& host) {
             host.SendWheel(3200, {100, 75});
         }},
        {"a resize", [](ViewHost& host) { host.Window()->resize(260, 180); }},
    };
    // The size notification arrives once the window system has the new size.
    auto sized = [](CGLPictureCtrl& view)
    {
        CRect client;
        view.GetClientRect(&client);
        return view.m_cx == client.Width() && view.m_cy == client.Height();
    };
    for (const Case& c : cases)
    {
        QImage shown;
        {
            ViewHost expected(200, 150);
            expected.ShowDefaultStone();
            c.change(expected);
            ASSERT_TRUE(WaitUntil([&] { return sized(expected.View()); })) << c.what;
            shown = BelowTheRateLine(expected.Frame());
        }

        ViewHost host(200, 150);
        host.ShowDefaultStone();
        host.Frame();
        host.NativeWindow()->destroy();
        c.change(host);
        host.NativeWindow()->show();
        ASSERT_TRUE(host.WaitExposed()) << c.what;
        ASSERT_TRUE(WaitUntil([&] { return sized(host.View()); })) << c.what;
        EXPECT_EQ(Differing(BelowTheRateLine(host.Frame()), shown), 0) << c.what;
    }
}
} // namespace
