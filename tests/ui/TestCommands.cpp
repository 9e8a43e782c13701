// Menu, toolbar and button commands: toggles with their marks, boxes and redraws, and the
// view-point commands with their exact amounts.
#include "DialogFixture.h"

#include "platform/ToolBar.h"
#include "platform/testing/Testing.h"

#include <cmath>
#include <cstring>

namespace
{
using Commands = DialogTest;

enum class Redraw
{
    None,
    NoErase,
    Erase
};

struct ToggleCase
{
    UINT id;
    BOOL CGLPictureCtrl::*flag;
    int box;
    Redraw redraw;
};

const ToggleCase kToggles[] = {
    {ID_MOUSE_ENABLE_SPIN, &CGLPictureCtrl::m_bEnableSpin, 0, Redraw::None},
    {ID_MOUSE_ENABLE_PAN, &CGLPictureCtrl::m_bEnablePan, 0, Redraw::None},
    {ID_MOUSE_ENABLE_ZOOM, &CGLPictureCtrl::m_bEnableZoom, 0, Redraw::None},
    {ID_PICK_POINT, &CGLPictureCtrl::m_bPickPoints, 0, Redraw::NoErase},
    {ID_PICK_LINE, &CGLPictureCtrl::m_bPickLines, 0, Redraw::NoErase},
    {ID_PICK_FACE, &CGLPictureCtrl::m_bPickFaces, 0, Redraw::NoErase},
    {ID_RENDER_POINT, &CGLPictureCtrl::m_bRenderPoints, 0, Redraw::NoErase},
    {ID_RENDER_LINE, &CGLPictureCtrl::m_bRenderLines, IDC_CHECK_WIRE_FRAME, Redraw::NoErase},
    {ID_RENDER_FACE, &CGLPictureCtrl::m_bRenderFaces, IDC_CHECK_RENDER_FACETS, Redraw::NoErase},
    {ID_RENDER_TRANSPARENTIZE, &CGLPictureCtrl::m_bTransparent, IDC_CHECK_TRANSPARENT,
     Redraw::Erase},
    {ID_RENDER_AXIS, &CGLPictureCtrl::m_bShowAxes, 0, Redraw::Erase},
    // The check boxes do what the menu items they mirror do.
    {IDC_CHECK_WIRE_FRAME, &CGLPictureCtrl::m_bRenderLines, IDC_CHECK_WIRE_FRAME, Redraw::NoErase},
    {IDC_CHECK_TRANSPARENT, &CGLPictureCtrl::m_bTransparent, IDC_CHECK_TRANSPARENT, Redraw::Erase},
};

UINT MarkOf(UINT id)
{
    if (id == IDC_CHECK_WIRE_FRAME)
        return ID_RENDER_LINE;
    if (id == IDC_CHECK_TRANSPARENT)
        return ID_RENDER_TRANSPARENTIZE;
    return id;
}

// Paints now, so that a later invalidation is visible.
void Validate(CGLPictureCtrl& view)
{
    view.UpdateWindow();
    view.ValidateRect(nullptr);
}

struct Camera
{
    float zoom;
    float center[3];
    float rotation[16];
};

Camera CameraOf(const CGLPictureCtrl& view)
{
    Camera c;
    c.zoom = view.m_zoom;
    std::memcpy(c.center, view.m_center, sizeof c.center);
    std::memcpy(c.rotation, view.m_rotation, sizeof c.rotation);
    return c;
}

void ExpectSameCamera(const Camera& a, const Camera& b, const char* what)
{
    EXPECT_FLOAT_EQ(a.zoom, b.zoom) << what;
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(a.center[i], b.center[i]) << what;
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(a.rotation[i], b.rotation[i], 1e-6f) << what;
}

// The angle in degrees of the rotation that takes `before` to `after`.
double TurnBetween(const float* before, const float* after)
{
    // Both are rotations, so after * transpose(before) is the step; its trace is 1 + 2 cos.
    double trace = 0.0;
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            trace += static_cast<double>(after[k * 4 + i]) * before[k * 4 + i];
    return std::acos(std::clamp((trace - 1.0) / 2.0, -1.0, 1.0)) * 180.0 / M_PI;
}

TEST_F(Commands, EveryToggleChosenTwiceRestoresFlagMarkAndBox)
{
    for (const ToggleCase& t : kToggles)
    {
        const BOOL before = View().*t.flag;
        for (int round = 1; round <= 2; ++round)
        {
            Validate(View());
            Command(t.id);
            const BOOL now = View().*t.flag;
            EXPECT_EQ(now, round == 1 ? !before : before) << t.id;
            EXPECT_EQ(Marked(MarkOf(t.id)), now != 0) << t.id;
            if (t.box != 0)
            {
                EXPECT_EQ(Ticked(t.box), now != 0) << t.id;
            }
            EXPECT_EQ(View().IsInvalid() != 0, t.redraw != Redraw::None) << t.id;
        }
    }
}

TEST_F(Commands, TransparentizeAndAxisRecompileWhatTheyChange)
{
    Validate(View());
    ASSERT_NE(View().m_faceList, 0u) << "the first paint compiles the facets";
    View().m_pick[0] = 6914;
    View().m_pick[1] = 3;
    Command(ID_RENDER_TRANSPARENTIZE);
    EXPECT_EQ(View().m_faceList, 0u);
    EXPECT_EQ(View().m_pick[0], 0u);
    EXPECT_EQ(View().m_pick[1], 0u);

    Validate(View());
    ASSERT_NE(View().m_axesList, 0u);
    const GLuint faces = View().m_faceList;
    Command(ID_RENDER_AXIS);
    EXPECT_EQ(View().m_axesList, 0u);
    EXPECT_EQ(View().m_faceList, faces) << "the axes leave the facets alone";
}

TEST_F(Commands, RenderFacetsBoxNeverLeavesNothingToDraw)
{
    ASSERT_TRUE(View().m_bRenderFaces);
    ASSERT_FALSE(View().m_bRenderLines);
    Command(IDC_CHECK_RENDER_FACETS);
    EXPECT_FALSE(View().m_bRenderFaces);
    EXPECT_TRUE(View().m_bRenderLines);
    EXPECT_TRUE(Marked(ID_RENDER_LINE));
    EXPECT_FALSE(Marked(ID_RENDER_FACE));
    EXPECT_TRUE(Ticked(IDC_CHECK_WIRE_FRAME));
    EXPECT_FALSE(Ticked(IDC_CHECK_RENDER_FACETS));
    Command(IDC_CHECK_RENDER_FACETS);
    EXPECT_TRUE(View().m_bRenderFaces);
    EXPECT_TRUE(View().m_bRenderLines);
    EXPECT_TRUE(Ticked(IDC_CHECK_RENDER_FACETS));
    EXPECT_TRUE(Ticked(IDC_CHECK_WIRE_FRAME));

    // The menu item has no such guard.
    Command(ID_RENDER_LINE);
    Command(ID_RENDER_FACE);
    EXPECT_FALSE(View().m_bRenderFaces);
    EXPECT_FALSE(View().m_bRenderLines);
}

TEST_F(Commands, PickTogglesAreIndependentAndRayTraceIsInert)
{
    Command(ID_PICK_POINT);
    Command(ID_PICK_LINE);
    Command(ID_PICK_FACE);
    EXPECT_TRUE(View().m_bPickPoints && View().m_bPickLines && View().m_bPickFaces);
    EXPECT_TRUE(Marked(ID_PICK_POINT) && Marked(ID_PICK_LINE) && Marked(ID_PICK_FACE));

    Validate(View());
    const Camera camera = CameraOf(View());
    Command(ID_RENDER_RAY_TRACE);
    EXPECT_FALSE(Marked(ID_RENDER_RAY_TRACE));
    EXPECT_FALSE(View().IsInvalid());
    ExpectSameCamera(camera, CameraOf(View()), "ray trace");
}

TEST_F(Commands, PanMovesTenPixelsAtEveryScale)
{
    const struct
    {
        UINT id;
        float zoom;
        float dx, dy;
    } cases[] = {
        {ID_VIEW_POINT_LEFT, 10.0f, 1.0f, 0.0f},   {ID_VIEW_POINT_LEFT, 20.0f, 0.5f, 0.0f},
        {ID_VIEW_POINT_RIGHT, 10.0f, -1.0f, 0.0f}, {ID_VIEW_POINT_UP, 10.0f, 0.0f, -1.0f},
        {ID_VIEW_POINT_DOWN, 20.0f, 0.0f, 0.5f},
    };
    for (const auto& c : cases)
    {
        Command(ID_VIEW_POINT_RESET);
        View().m_zoom = c.zoom;
        Validate(View());
        Command(c.id);
        EXPECT_FLOAT_EQ(View().m_center[0], c.dx) << c.id << " at " << c.zoom;
        EXPECT_FLOAT_EQ(View().m_center[1], c.dy) << c.id << " at " << c.zoom;
        EXPECT_EQ(View().m_mouseMode, 0);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_TRUE(View().IsInvalid());
    }
}

TEST_F(Commands, ZoomUpAndDownByTheWheelAmount)
{
    Command(ID_VIEW_POINT_ZOOM_UP);
    EXPECT_NEAR(View().m_zoom, 12.483306f, 1e-5f);
    Command(ID_VIEW_POINT_ZOOM_DOWN);
    EXPECT_NEAR(View().m_zoom, 10.0f, 1e-5f);
    EXPECT_EQ(View().m_mouseMode, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(Commands, SpinTurnsByTheTrackballAngleOfTheViewSize)
{
    ResizeViewTo(400, 300);
    CRect client;
    View().GetClientRect(&client);
    ASSERT_EQ(client, CRect(0, 0, 400, 300));
    const struct
    {
        UINT id;
        double degrees;
    } cases[] = {{ID_VIEW_POINT_SPIN_LEFT, 4.502},
                 {ID_VIEW_POINT_SPIN_RIGHT, 4.502},
                 {ID_VIEW_POINT_SPIN_UP, 6.006},
                 {ID_VIEW_POINT_SPIN_DOWN, 6.006}};
    for (const auto& c : cases)
    {
        const Camera before = CameraOf(View());
        Command(c.id);
        EXPECT_NEAR(TurnBetween(before.rotation, View().m_rotation), c.degrees, 0.001) << c.id;
        EXPECT_EQ(View().m_mouseMode, 0);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
    }
    // Left and right undo each other.
    const Camera start = CameraOf(View());
    Command(ID_VIEW_POINT_SPIN_LEFT);
    Command(ID_VIEW_POINT_SPIN_RIGHT);
    ExpectSameCamera(start, CameraOf(View()), "left then right");
}

TEST_F(Commands, DisabledMouseActionsChangeNothing)
{
    const struct
    {
        UINT enable;
        UINT commands[4];
    } cases[] = {
        {ID_MOUSE_ENABLE_PAN,
         {ID_VIEW_POINT_LEFT, ID_VIEW_POINT_RIGHT, ID_VIEW_POINT_UP, ID_VIEW_POINT_DOWN}},
        {ID_MOUSE_ENABLE_SPIN,
         {ID_VIEW_POINT_SPIN_LEFT, ID_VIEW_POINT_SPIN_RIGHT, ID_VIEW_POINT_SPIN_UP,
          ID_VIEW_POINT_SPIN_DOWN}},
        {ID_MOUSE_ENABLE_ZOOM, {ID_VIEW_POINT_ZOOM_UP, ID_VIEW_POINT_ZOOM_DOWN, 0, 0}},
    };
    for (const auto& c : cases)
    {
        Command(c.enable);
        Validate(View());
        const Camera camera = CameraOf(View());
        for (UINT id : c.commands)
        {
            if (id == 0)
                continue;
            Command(id);
            EXPECT_EQ(View().m_mouseMode, 0) << id;
            EXPECT_EQ(CWnd::GetCapture(), nullptr) << id;
        }
        ExpectSameCamera(camera, CameraOf(View()), "disabled");
        EXPECT_FALSE(View().IsInvalid()) << c.enable;
        Command(c.enable);
    }
}

TEST_F(Commands, ResetRestoresTheHomeViewWhateverTheFlags)
{
    const Camera home = CameraOf(View());
    Command(ID_VIEW_POINT_ZOOM_UP);
    Command(ID_VIEW_POINT_LEFT);
    Command(ID_VIEW_POINT_SPIN_UP);
    Command(ID_RENDER_LINE);
    Command(ID_RENDER_AXIS);
    View().m_pick[0] = 6912;
    for (UINT enable : {ID_MOUSE_ENABLE_SPIN, ID_MOUSE_ENABLE_PAN, ID_MOUSE_ENABLE_ZOOM})
        Command(enable);
    for (UINT id :
         {static_cast<UINT>(ID_VIEW_POINT_RESET), static_cast<UINT>(IDC_BUTTON_RESET_VIEW_POINT)})
    {
        Validate(View());
        Command(id);
        ExpectSameCamera(home, CameraOf(View()), "reset");
        EXPECT_EQ(View().m_pick[0], 0u);
        EXPECT_TRUE(View().m_bRenderLines);
        EXPECT_TRUE(View().m_bShowAxes);
        EXPECT_FALSE(View().m_bEnableZoom);
        EXPECT_TRUE(View().IsInvalid());
        Command(ID_VIEW_POINT_ZOOM_DOWN);
    }
    // The model-view matrix holds the home view as well.
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_NEAR(matrix[6], 1.0f, 1e-6f);
    EXPECT_NEAR(matrix[9], -1.0f, 1e-6f);
    EXPECT_NEAR(matrix[14], -500.0f, 1e-3f);
}

TEST_F(Commands, ToolbarButtonsEqualTheirMenuItems)
{
    ResizeViewTo(400, 300);
    CToolBar& bar = Dlg().m_wndToolBar;
    for (int i = 0; i < bar.GetCount(); ++i)
    {
        const UINT id = bar.GetItemID(i);
        Command(ID_VIEW_POINT_RESET);
        Command(ID_VIEW_POINT_SPIN_RIGHT); // start away from home, so Reset shows too
        Command(id);
        const Camera byMenu = CameraOf(View());
        Command(ID_VIEW_POINT_RESET);
        Command(ID_VIEW_POINT_SPIN_RIGHT);
        ASSERT_TRUE(ClickButton(bar, i));
        ExpectSameCamera(byMenu, CameraOf(View()), "toolbar");
    }
}
} // namespace
