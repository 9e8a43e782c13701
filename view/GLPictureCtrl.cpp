// Construction, binding, the GL context and the frame cycle of the 3D view.
#include "view/GLPictureCtrl.h"

#include "model/Model.h"
#include "view/OGLJText.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kAxisLabelSize = 16.0f;
constexpr float kFpsLabelSize = 12.0f;
} // namespace

const PIXELFORMATDESCRIPTOR CGLPictureCtrl::s_pixelFormat = {
    40,                                                         // nSize
    1,                                                          // nVersion
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, // dwFlags
    PFD_TYPE_RGBA,                                              // iPixelType
    24,                                                         // cColorBits
    0,                                                          // cAlphaBits
    0,                                                          // cAccumBits
    32,                                                         // cDepthBits
    0,                                                          // cStencilBits
    0,                                                          // cAuxBuffers
    PFD_MAIN_PLANE,                                             // iLayerType
};

BEGIN_MESSAGE_MAP(CGLPictureCtrl, CStatic)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOVE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_MOUSE_MESSAGE(WM_RBUTTONUP, OnLButtonUp)
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CGLPictureCtrl::CGLPictureCtrl()
{
    m_pLabelX = new COGLJText(kAxisLabelSize);
    m_pLabelY = new COGLJText(kAxisLabelSize);
    m_pLabelZ = new COGLJText(kAxisLabelSize);
    m_pFpsLabel = new COGLJText(kFpsLabelSize);
    m_pLabelX->SetText(L"x");
    m_pLabelY->SetText(L"y");
    m_pLabelZ->SetText(L"z");
    m_pFpsLabel->SetText(L"");

    m_lights[0].enabled = true;
    const float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float specular[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    std::copy(diffuse, diffuse + 4, m_lights[0].diffuse);
    std::copy(specular, specular + 4, m_lights[0].specular);
}

CGLPictureCtrl::~CGLPictureCtrl()
{
    // A view destroyed before its window would leave the window's destroy notification
    // to a half-destroyed object; destroying the window first releases the context.
    if (GetNativeWindow() != nullptr)
        DestroyWindow();
    delete m_pLabelX;
    delete m_pLabelY;
    delete m_pLabelZ;
    delete m_pFpsLabel;
    delete m_pModel;
    delete m_pDC; // left only by a set-up retried after the window was gone
}

void CGLPictureCtrl::RestoreDisplayDefaults()
{
    using namespace viewdefaults;
    std::copy_n(kBgColor, 3, m_bgColor);
    m_lineWidth = kLineWidth;
    std::copy_n(kLineColor, 3, m_lineColor);
    m_pickLineWidth = kPickLineWidth;
    std::copy_n(kPickLineColor, 3, m_pickLineColor);
    m_pointSize = kPointSize;
    std::copy_n(kPointColor, 3, m_pointColor);
    m_pickPointSize = kPickPointSize;
    std::copy_n(kPickPointColor, 3, m_pickPointColor);
    std::copy_n(kFaceColor, 3, m_faceColor);
    std::copy_n(kPickFaceColor, 3, m_pickFaceColor);
    std::copy_n(kTransparentColor, 4, m_transparentColor);
    for (float* extent : m_axisExtent)
        std::copy_n(kAxisExtent, 2, extent);
    std::copy_n(kAxisColor, 3, m_axisColor);
    std::copy_n(kOverlayColor, 3, m_overlayColor);
}

void CGLPictureCtrl::PreSubclassWindow()
{
    ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    InitGL();
    RestoreDisplayDefaults();
    glClearColor(m_bgColor[0], m_bgColor[1], m_bgColor[2], 0.0f);
    CStatic::PreSubclassWindow();
}

BOOL CGLPictureCtrl::InitGL()
{
    if (m_pDC == nullptr)
        m_pDC = new CClientDC(this);
    if (m_pDC->GetSafeHdc() == nullptr)
        return FALSE;
    if (!SetupPixelFormat())
        return FALSE;
    m_hRC = wglCreateContext(m_pDC->GetSafeHdc());
    if (m_hRC == nullptr)
        return FALSE;
    if (wglMakeCurrent(m_pDC->GetSafeHdc(), m_hRC) != TRUE)
        return FALSE;
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    return TRUE;
}

BOOL CGLPictureCtrl::SetupPixelFormat()
{
    const HDC hdc = m_pDC->GetSafeHdc();
    // A retry after a failure further on finds the format already set; that is success.
    PIXELFORMATDESCRIPTOR current;
    if (DescribePixelFormat(hdc, &current))
        return TRUE;
    const int index = ChoosePixelFormat(hdc, &s_pixelFormat);
    if (index == 0)
        return FALSE;
    return SetPixelFormat(hdc, index, &s_pixelFormat) == TRUE ? TRUE : FALSE;
}

void CGLPictureCtrl::DeleteModelLists()
{
    for (GLuint* list : {&m_pointList, &m_lineList, &m_faceList})
        if (*list != 0)
        {
            glDeleteLists(*list, 1);
            *list = 0;
        }
}

void CGLPictureCtrl::OnSize(UINT /*nType*/, int cx, int cy)
{
    Default();
    if (cx < 1 || cy < 1)
        return;
    if (m_hRC == nullptr)
        InitGL();
    if (m_hRC == nullptr)
        return;
    m_cx = cx;
    m_cy = cy;
    glViewport(0, 0, cx, cy);
    LoadCamera();
}

float CGLPictureCtrl::PixelScale() const
{
    const double ratio = GetDevicePixelRatio();
    return ratio > 0.0 && std::isfinite(ratio) ? static_cast<float>(ratio) : 1.0f;
}

void CGLPictureCtrl::OnMove(int /*x*/, int /*y*/)
{
    Default();
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

void CGLPictureCtrl::OnPaint()
{
    ValidateRect(nullptr);
    if (m_pDC == nullptr)
        return;
    wglMakeCurrent(m_pDC->GetSafeHdc(), m_hRC);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    DrawAxesList();
    glPopMatrix();
    glPushMatrix();
    DrawScene();
    glPopMatrix();
    glFinish();
    SwapBuffers(m_pDC->GetSafeHdc());
}

void CGLPictureCtrl::OnDestroy()
{
    Default();
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(m_hRC);
    delete m_pDC;
    // The handles go with the window; keeping them would let a late paint or a retried
    // set-up use a deleted context or device context.
    m_pDC = nullptr;
    m_hRC = nullptr;
}
