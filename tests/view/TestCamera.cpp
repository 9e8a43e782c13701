// The camera: rotation, trackball, pan and zoom steps, and the matrices they load.
#include "tests/support/ViewHost.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr float kTolerance = 1e-5f;

// Where model point p lands in the window, y downward, with the view's current matrices.
CPoint Project(const CGLPictureCtrl& view, float x, float y, float z)
{
    double modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, modelView, projection, viewport, &wx, &wy, &wz);
    return CPoint(static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(view.m_cy - wy)));
}

void ExpectRotation(const float m[16], const float expected[16])
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], expected[i], kTolerance) << "element " << i;
}

class CameraTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = std::make_unique<ViewHost>(400, 300, false);
        View().OnSize(SIZE_RESTORED, 400, 300);
    }
    CGLPictureCtrl& View() { return m_host->View(); }
    std::unique_ptr<ViewHost> m_host;
};

TEST_F(CameraTest, HomeRotationMapsYToZAndZToMinusY)
{
    View().RotateView(90.0f, 1.0f, 0.0f, 0.0f);
    const float expected[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1};
    ExpectRotation(View().m_rotation, expected);
    // The model-view matrix is reloaded: the look-at translation times the rotation.
    float modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    const float loaded[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, -500, 1};
    ExpectRotation(modelView, loaded);
    // On screen the model's +z points down.
    EXPECT_EQ(Project(View(), 0, 0, 0), CPoint(200, 150));
    EXPECT_EQ(Project(View(), 0, 0, 5), CPoint(200, 200));
}

TEST_F(CameraTest, RotationsComposeInTheEyeFrame)
{
    // Any axis length, new rotation on the left.
    View().RotateView(90.0f, 0.0f, 0.0f, 2.0f);
    View().RotateView(90.0f, 3.0f, 0.0f, 0.0f);
    // x goes to y by the first turn, y to z by the second.
    const float* m = View().m_rotation;
    EXPECT_NEAR(m[0], 0.0f, kTolerance);
    EXPECT_NEAR(m[1], 0.0f, kTolerance);
    EXPECT_NEAR(m[2], 1.0f, kTolerance);
    // y goes to -x, which the second turn keeps.
    EXPECT_NEAR(m[4], -1.0f, kTolerance);
    EXPECT_NEAR(m[5], 0.0f, kTolerance);
    EXPECT_NEAR(m[6], 0.0f, kTolerance);
}

TEST_F(CameraTest, TurnsAboutNoAxisOrByNoNumberKeepTheRotation)
{
    View().RotateView(30.0f, 0.0f, 1.0f, 0.0f);
    float before[16];
    std::copy(View().m_rotation, View().m_rotation + 16, before);
    const float nan = std::nanf("");
    const float inf = INFINITY;
    const float cases[][4] = {{0, 0, 0, 0},    {45, 0, 0, 0},  {nan, 1, 0, 0},
                              {45, nan, 0, 0}, {inf, 0, 1, 0}, {45, inf, 0, 0}};
    for (const auto& c : cases)
    {
        View().RotateView(c[0], c[1], c[2], c[3]);
        ExpectRotation(View().m_rotation, before);
    }
}

TEST_F(CameraTest, TrackballVectors)
{
    struct Case
    {
        CPoint point;
        float x, y, z;
    };
    const float c45 = static_cast<float>(std::cos(3.14159265358979323846 / 4));
    const float n = std::sqrt(0.25f + c45 * c45);
    const float r = std::sqrt(0.5f);
    const float zc = static_cast<float>(std::cos(r * 1.5707963267948966));
    const float nc = std::sqrt(0.5f + zc * zc);
    const Case cases[] = {
        {CPoint(200, 150), 0, 0, 1},
        {CPoint(400, 150), 0.5f / n, 0, c45 / n},           // middle of the right edge
        {CPoint(0, 150), -0.5f / n, 0, c45 / n},            // of the left edge
        {CPoint(200, 0), 0, 0.5f / n, c45 / n},             // top edge: y up
        {CPoint(400, 300), 0.5f / nc, -0.5f / nc, zc / nc}, // bottom-right corner
        {CPoint(4000, 150), 1, 0, 0},                       // far outside: clamped to the rim
    };
    for (const Case& c : cases)
    {
        float v[3];
        CGLPictureCtrl::ProjectToSphere(c.point, 400.0f, 300.0f, v);
        EXPECT_NEAR(v[0], c.x, kTolerance) << c.point.x << "," << c.point.y;
        EXPECT_NEAR(v[1], c.y, kTolerance) << c.point.x << "," << c.point.y;
        EXPECT_NEAR(v[2], c.z, kTolerance) << c.point.x << "," << c.point.y;
        EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 1.0f, kTolerance);
    }
    // A window without area has no trackball.
    float v[3];
    CGLPictureCtrl::ProjectToSphere(CPoint(3, 4), 0.0f, 0.0f, v);
    EXPECT_TRUE(v[0] == 0.0f && v[1] == 0.0f && v[2] == 1.0f);
}

TEST_F(CameraTest, ASpinStepTurnsByTheTrackballAngleAndOneWithoutMovementByNothing)
{
    View().RotateView(90.0f, 1.0f, 0.0f, 0.0f);
    float before[16];
    std::copy(View().m_rotation, View().m_rotation + 16, before);
    View().BeginDrag(CPoint(250, 120), 1);
    View().DragTo(CPoint(250, 120));
    ExpectRotation(View().m_rotation, before);
    for (float f : View().m_rotation)
        EXPECT_TRUE(std::isfinite(f));

    // From the centre to the right: a turn about the eye's y axis.
    View().BeginDrag(CPoint(200, 150), 1);
    View().DragTo(CPoint(300, 150));
    ReleaseCapture();
    float v[3];
    CGLPictureCtrl::ProjectToSphere(CPoint(300, 150), 400.0f, 300.0f, v);
    const float d = std::sqrt(v[0] * v[0] + v[1] * v[1] + (v[2] - 1) * (v[2] - 1));
    const float angle = d * 180.0f * 3.14159265f / 180.0f;
    // The model's x axis (which the home turn left alone) now points right and away.
    EXPECT_NEAR(View().m_rotation[0], std::cos(angle), 1e-4f);
    EXPECT_NEAR(View().m_rotation[2], -std::sin(angle), 1e-4f);
    EXPECT_NEAR(View().m_lastVec[0], v[0], kTolerance);
}

TEST_F(CameraTest, PanMovesTheModelPixelForPixel)
{
    struct Case
    {
        float zoom;
        CPoint move;
        float dx, dy;
    };
    const Case cases[] = {
        {10.0f, CPoint(100, 0), -10.0f, 0.0f},
        {20.0f, CPoint(100, 0), -5.0f, 0.0f},
        {10.0f, CPoint(0, 40), 0.0f, 4.0f}, // down: the centre rises, the model drops
        {10.0f, CPoint(-30, -20), 3.0f, -2.0f},
    };
    for (const Case& c : cases)
    {
        View().m_zoom = c.zoom;
        std::fill(View().m_center, View().m_center + 3, 0.0f);
        View().OnSize(SIZE_RESTORED, 400, 300);
        const CPoint before = Project(View(), 1, 2, 0);
        View().BeginDrag(CPoint(200, 150), 2);
        View().DragTo(CPoint(200 + c.move.x, 150 + c.move.y));
        ReleaseCapture();
        EXPECT_NEAR(View().m_center[0], c.dx, kTolerance);
        EXPECT_NEAR(View().m_center[1], c.dy, kTolerance);
        EXPECT_EQ(View().m_center[2], 0.0f);
        const CPoint after = Project(View(), 1, 2, 0);
        EXPECT_EQ(after.x - before.x, c.move.x);
        EXPECT_EQ(after.y - before.y, c.move.y);
        EXPECT_EQ(View().m_lastPoint, CPoint(200 + c.move.x, 150 + c.move.y));
    }
}

TEST_F(CameraTest, ZoomDoublesPerFiveHundredPixelsUpAndHasNoBounds)
{
    View().BeginDrag(CPoint(200, 600), 3);
    View().DragTo(CPoint(200, 100));
    EXPECT_NEAR(View().m_zoom, 20.0f, 1e-4f);
    // One unit spans m_zoom pixels.
    EXPECT_EQ(Project(View(), 1, 0, 0).x - Project(View(), 0, 0, 0).x, 20);
    View().DragTo(CPoint(200, 600));
    EXPECT_NEAR(View().m_zoom, 10.0f, 1e-4f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    View().m_zoom = 1e-30f;
    View().DragTo(CPoint(200, 600 + 5000)); // far below: 1/1024
    EXPECT_GT(View().m_zoom, 0.0f);
    EXPECT_LT(View().m_zoom, 1e-30f);
    // A step that would run the scale out to nothing or infinity keeps it.
    for (int rise : {-2000000000, 2000000000})
    {
        const float before = View().m_zoom;
        View().BeginDrag(CPoint(0, 0), 3);
        View().DragTo(CPoint(0, rise));
        EXPECT_EQ(View().m_zoom, before);
        EXPECT_TRUE(std::isnormal(View().m_zoom));
    }
    ReleaseCapture();
}

TEST_F(CameraTest, LightsAreFixedInTheEyeFrame)
{
    View().RotateView(60.0f, 1.0f, 1.0f, 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    for (GLenum light : {GL_LIGHT1, GL_LIGHT2, GL_LIGHT3})
        EXPECT_FALSE(glIsEnabled(light));
    float position[4], diffuse[4], specular[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position); // stored in eye coordinates
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    const float expected[3][4] = {{0, 0, 1, 0}, {1, 1, 1, 1}, {0.2f, 0.2f, 0.2f, 1}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_NEAR(position[i], expected[0][i], kTolerance);
        EXPECT_NEAR(diffuse[i], expected[1][i], kTolerance);
        EXPECT_NEAR(specular[i], expected[2][i], kTolerance);
    }
    // A light switched on takes its parameters with the next view.
    View().m_lights[2].enabled = true;
    View().m_lights[2].spotCutoff = 45.0f;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    View().ApplyView();
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    float cutoff = 0;
    glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, &cutoff);
    EXPECT_EQ(cutoff, 45.0f);
}
} // namespace
