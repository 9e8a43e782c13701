#pragma once
// CGLPictureCtrl: the 3D view of the stone. A static control of the main dialog that, once
// bound, owns an OpenGL context on its client area and draws the triangle model in it as
// facets, wire frame and points, with axes, labels and a frame-rate line; the mouse spins,
// pans, zooms and picks. The dialog drives it by writing its public members and calling
// its operations, then invalidating it.
//
// The camera lives in the context: every size or camera change reloads the projection and
// model-view matrices, and a frame only pushes and pops around its drawing.

#include "platform/GLContext.h"
#include "platform/Static.h"
#include "platform/gl.h"
#include "view/LightSource.h"

class CModel;
class COGLJText;

// Display defaults: set at construction and again when the view is bound.
namespace viewdefaults
{
constexpr float kBgColor[3] = {0.75f, 0.75f, 0.75f};
constexpr float kLineWidth = 2.0f;
constexpr float kLineColor[3] = {0.0f, 0.0f, 0.0f};
constexpr float kPickLineWidth = 5.0f;
constexpr float kPickLineColor[3] = {1.0f, 0.0f, 0.0f};
constexpr float kPointSize = 5.0f;
constexpr float kPointColor[3] = {0.0f, 0.0f, 0.0f};
constexpr float kPickPointSize = 10.0f;
constexpr float kPickPointColor[3] = {1.0f, 1.0f, 0.0f};
constexpr float kFaceColor[3] = {0.5f, 0.75f, 1.0f};
constexpr float kPickFaceColor[3] = {1.0f, 1.0f, 0.0f};
constexpr float kTransparentColor[4] = {0.625f, 0.9375f, 1.0f, 0.75f};
constexpr float kAxisExtent[2] = {10.0f, -10.0f}; // positive and negative end, every axis
constexpr int kAxisColor[3] = {80, 80, 80};
constexpr float kOverlayColor[3] = {0.5f, 0.5f, 0.5f};
// The home view: the scale, and the quarter turn about x that shows the stone from the side.
constexpr float kHomeZoom = 10.0f;
constexpr float kHomeTurn = 90.0f;
} // namespace viewdefaults

class CGLPictureCtrl : public CStatic
{
public:
    // What a drag does, in m_mouseMode.
    enum MouseMode : int
    {
        kModeNone = 0,
        kModeSpin = 1,
        kModePan = 2,
        kModeZoom = 3,
    };

    CGLPictureCtrl();
    ~CGLPictureCtrl() override;

    void PreSubclassWindow() override;

    // Context set-up; TRUE when the context exists and is current.
    BOOL InitGL();
    BOOL SetupPixelFormat();
    // Forgets the compiled point, line and facet lists; the next frame compiles them anew.
    void DeleteModelLists();

    // Camera (the matrices it loads are described with each).
    void SetProjection();
    void ApplyView();
    void ApplyLights();
    void RotateView(float angle, float x, float y, float z);
    // Loads both matrices from the camera state; leaves GL_MODELVIEW current.
    void LoadCamera();
    // LoadCamera, then turns the model to its home orientation (kHomeTurn about x).
    void ApplyHomeView();
    // The trackball: the unit vector over window point `point` of a width × height window.
    static void ProjectToSphere(CPoint point, float width, float height, float result[3]);
    // One step of each drag, to window point `point`.
    void SpinStep(CPoint point);
    void PanStep(CPoint point);
    void ZoomStep(CPoint point);

    // pass 1 draws, pass 2 draws for selection, pass 3 stores names (ten) as the pick.
    void DrawModel(int pass, const GLuint* names);
    // Each compiles its layer's list from the model; drawing does it on first use.
    void CompileFaceList();
    void CompileLineList();
    void CompilePointList();
    // Picks the nearest element at client point (x, y): the number of hits, 0 for none,
    // -1 when the selection buffer overflowed. m_pick changes only on a positive result.
    int Pick(int x, int y);

    void BeginDrag(CPoint point, int mode);
    void DragTo(CPoint point);
    // The cursor resources the spin and pan drags show; none until they are given.
    void SetDragCursors(UINT nSpinCursor, UINT nPanCursor);

    void DrawAxesList();
    void DrawAxes();
    void DrawScene();
    // Shows a frame time of dt milliseconds in the frame-rate label.
    void ShowFrameTime(DWORD dt);

    void OnDestroy();
    void OnPaint();
    void OnMove(int x, int y);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point); // the right button's too
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()

    // The pixel format the view asks for.
    static const PIXELFORMATDESCRIPTOR s_pixelFormat;

    CModel* m_pModel = nullptr;
    BOOL m_bTransparent = FALSE;
    BOOL m_bShowAxes = FALSE;
    COGLJText* m_pLabelX = nullptr;
    COGLJText* m_pLabelY = nullptr;
    COGLJText* m_pLabelZ = nullptr;
    COGLJText* m_pFpsLabel = nullptr;
    float m_bgColor[3] = {viewdefaults::kBgColor[0], viewdefaults::kBgColor[1],
                          viewdefaults::kBgColor[2]};
    float m_lineWidth = viewdefaults::kLineWidth;
    float m_lineColor[3] = {viewdefaults::kLineColor[0], viewdefaults::kLineColor[1],
                            viewdefaults::kLineColor[2]};
    float m_pickLineWidth = viewdefaults::kPickLineWidth;
    float m_pickLineColor[3] = {viewdefaults::kPickLineColor[0], viewdefaults::kPickLineColor[1],
                                viewdefaults::kPickLineColor[2]};
    float m_pointSize = viewdefaults::kPointSize;
    float m_pointColor[3] = {viewdefaults::kPointColor[0], viewdefaults::kPointColor[1],
                             viewdefaults::kPointColor[2]};
    float m_pickPointSize = viewdefaults::kPickPointSize;
    float m_pickPointColor[3] = {viewdefaults::kPickPointColor[0], viewdefaults::kPickPointColor[1],
                                 viewdefaults::kPickPointColor[2]};
    float m_faceColor[3] = {viewdefaults::kFaceColor[0], viewdefaults::kFaceColor[1],
                            viewdefaults::kFaceColor[2]};
    float m_pickFaceColor[3] = {viewdefaults::kPickFaceColor[0], viewdefaults::kPickFaceColor[1],
                                viewdefaults::kPickFaceColor[2]};
    float m_transparentColor[4] = {
        viewdefaults::kTransparentColor[0], viewdefaults::kTransparentColor[1],
        viewdefaults::kTransparentColor[2], viewdefaults::kTransparentColor[3]};
    float m_axisExtent[3][2] = {{viewdefaults::kAxisExtent[0], viewdefaults::kAxisExtent[1]},
                                {viewdefaults::kAxisExtent[0], viewdefaults::kAxisExtent[1]},
                                {viewdefaults::kAxisExtent[0], viewdefaults::kAxisExtent[1]}};
    int m_axisColor[3] = {viewdefaults::kAxisColor[0], viewdefaults::kAxisColor[1],
                          viewdefaults::kAxisColor[2]};
    float m_overlayColor[3] = {viewdefaults::kOverlayColor[0], viewdefaults::kOverlayColor[1],
                               viewdefaults::kOverlayColor[2]};
    HGLRC m_hRC = nullptr;
    CClientDC* m_pDC = nullptr;
    GLuint m_axesList = 0;
    int m_cx = 0;
    int m_cy = 0;
    BOOL m_bEnableSpin = TRUE;
    BOOL m_bEnablePan = TRUE;
    BOOL m_bEnableZoom = TRUE;
    BOOL m_bRenderPoints = FALSE;
    BOOL m_bRenderLines = FALSE;
    BOOL m_bRenderFaces = TRUE;
    BOOL m_bPickPoints = FALSE;
    BOOL m_bPickLines = FALSE;
    BOOL m_bPickFaces = FALSE;
    GLuint m_pointList = 0;
    GLuint m_lineList = 0;
    GLuint m_faceList = 0;
    int m_mouseMode = 0;
    CPoint m_lastPoint;
    float m_lastVec[3] = {0.0f, 0.0f, 1.0f}; // the trackball's centre until a spin starts
    float m_center[3] = {0.0f, 0.0f, 0.0f};
    float m_zoom = viewdefaults::kHomeZoom;
    float m_rotation[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                            0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    GLuint m_pick[10] = {};
    LightSource m_lights[4];

    // Device pixels per logical pixel. Sizes given in pixels (the projection's scale, line
    // widths, point sizes, the pick square) are logical pixels, so the picture on a scaled
    // display is the picture at scale 1, drawn sharper.
    float PixelScale() const;

private:
    void RestoreDisplayDefaults();
    void SelectModel();

    UINT m_nSpinCursor = 0;
    UINT m_nPanCursor = 0;

    // The axes list last compiled. The owner drops m_axesList to 0 to have it compiled anew;
    // the superseded list is deleted then, so a long session does not pile up lists.
    GLuint m_compiledAxesList = 0;
};

// Picking's choice among the hit records of a selection buffer of `size` words holding
// `hits` records: the record whose largest depth is nearest, at equal depth the one of the
// lower kind (vertex before edge before facet), and of those the earliest. Its names, then
// zeros, go to names[10]. FALSE when no record qualifies (records of more than ten names
// are passed over; a record running past the buffer ends the walk).
BOOL ChooseNearestHit(const GLuint* buffer, int size, int hits, GLuint names[10]);
