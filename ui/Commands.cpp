#include "ui/LapidoDlg.h"

#include "platform/Controls.h"
#include "platform/Image.h"
#include "platform/Menu.h"
#include "platform/gl.h"

#include <algorithm>
#include <cmath>

namespace
{
enum class Redraw
{
    None,
    NoErase,
    Erase,
};

enum class Effect
{
    None,
    ClearPickAndLists, // the facets compile again with or without blending
    RecompileAxes,
};

struct ViewToggle
{
    UINT commandId;
    BOOL CGLPictureCtrl::*flag;
    int checkBoxId; // 0: no check box mirrors the flag
    Effect effect;
    Redraw redraw;
};

constexpr ViewToggle kViewToggles[] = {
    {ID_MOUSE_ENABLE_SPIN, &CGLPictureCtrl::m_bEnableSpin, 0, Effect::None, Redraw::None},
    {ID_MOUSE_ENABLE_PAN, &CGLPictureCtrl::m_bEnablePan, 0, Effect::None, Redraw::None},
    {ID_MOUSE_ENABLE_ZOOM, &CGLPictureCtrl::m_bEnableZoom, 0, Effect::None, Redraw::None},
    {ID_PICK_POINT, &CGLPictureCtrl::m_bPickPoints, 0, Effect::None, Redraw::NoErase},
    {ID_PICK_LINE, &CGLPictureCtrl::m_bPickLines, 0, Effect::None, Redraw::NoErase},
    {ID_PICK_FACE, &CGLPictureCtrl::m_bPickFaces, 0, Effect::None, Redraw::NoErase},
    {ID_RENDER_POINT, &CGLPictureCtrl::m_bRenderPoints, 0, Effect::None, Redraw::NoErase},
    {ID_RENDER_LINE, &CGLPictureCtrl::m_bRenderLines, IDC_CHECK_WIRE_FRAME, Effect::None,
     Redraw::NoErase},
    {ID_RENDER_FACE, &CGLPictureCtrl::m_bRenderFaces, IDC_CHECK_RENDER_FACETS, Effect::None,
     Redraw::NoErase},
    {ID_RENDER_TRANSPARENTIZE, &CGLPictureCtrl::m_bTransparent, IDC_CHECK_TRANSPARENT,
     Effect::ClearPickAndLists, Redraw::Erase},
    {ID_RENDER_AXIS, &CGLPictureCtrl::m_bShowAxes, 0, Effect::RecompileAxes, Redraw::Erase},
};

// View-point commands move by this many logical pixels from the view's centre.
constexpr int kViewPointStep = 10;
// Wheel amounts of the zoom commands: 160 pixels of zoom drag each.
constexpr short kZoomWheelDelta = 3200;

void ClearPick(CGLPictureCtrl& view)
{
    std::fill(std::begin(view.m_pick), std::end(view.m_pick), 0u);
}

// A step of logical pixels in the view's device pixels, which its points are given in.
CPoint ToViewPixels(CGLPictureCtrl& view, int dx, int dy)
{
    const float scale = view.PixelScale();
    return CPoint(static_cast<int>(std::lround(dx * scale)),
                  static_cast<int>(std::lround(dy * scale)));
}
} // namespace

void CLapidoDlg::SetMark(UINT nCommandID, BOOL bChecked)
{
    if (CMenu* pMenu = GetMenu())
        pMenu->CheckMenuItem(nCommandID, MF_BYCOMMAND | (bChecked ? MF_CHECKED : MF_UNCHECKED));
}

void CLapidoDlg::SetCheckBox(int nID, BOOL bChecked)
{
    if (CWnd* pBox = GetDlgItem(nID))
        pBox->SendMessage(BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

void CLapidoDlg::ShowViewFlags()
{
    for (const ViewToggle& toggle : kViewToggles)
    {
        const BOOL flag = m_glPicture.*toggle.flag;
        SetMark(toggle.commandId, flag);
        if (toggle.checkBoxId != 0)
            SetCheckBox(toggle.checkBoxId, flag);
    }
}

void CLapidoDlg::ToggleViewFlag(UINT nCommandID)
{
    const auto toggle =
        std::find_if(std::begin(kViewToggles), std::end(kViewToggles),
                     [&](const ViewToggle& t) { return t.commandId == nCommandID; });
    if (toggle == std::end(kViewToggles))
        return;
    BOOL& flag = m_glPicture.*toggle->flag;
    flag = flag == 0 ? 1 : 0;
    SetMark(toggle->commandId, flag);
    if (toggle->checkBoxId != 0)
        SetCheckBox(toggle->checkBoxId, flag);
    switch (toggle->effect)
    {
    case Effect::ClearPickAndLists:
        ClearPick(m_glPicture);
        m_glPicture.DeleteModelLists();
        break;
    case Effect::RecompileAxes:
        m_glPicture.m_axesList = 0;
        break;
    case Effect::None:
        break;
    }
    if (toggle->redraw != Redraw::None)
        m_glPicture.InvalidateRect(nullptr, toggle->redraw == Redraw::Erase ? TRUE : FALSE);
}

void CLapidoDlg::OnMouseEnableSpin()
{
    ToggleViewFlag(ID_MOUSE_ENABLE_SPIN);
}
void CLapidoDlg::OnMouseEnablePan()
{
    ToggleViewFlag(ID_MOUSE_ENABLE_PAN);
}
void CLapidoDlg::OnMouseEnableZoom()
{
    ToggleViewFlag(ID_MOUSE_ENABLE_ZOOM);
}
void CLapidoDlg::OnPickPoint()
{
    ToggleViewFlag(ID_PICK_POINT);
}
void CLapidoDlg::OnPickLine()
{
    ToggleViewFlag(ID_PICK_LINE);
}
void CLapidoDlg::OnPickFace()
{
    ToggleViewFlag(ID_PICK_FACE);
}
void CLapidoDlg::OnRenderPoint()
{
    ToggleViewFlag(ID_RENDER_POINT);
}
void CLapidoDlg::OnRenderLine()
{
    ToggleViewFlag(ID_RENDER_LINE);
}
void CLapidoDlg::OnRenderFace()
{
    ToggleViewFlag(ID_RENDER_FACE);
}
void CLapidoDlg::OnTransparentize()
{
    ToggleViewFlag(ID_RENDER_TRANSPARENTIZE);
}
void CLapidoDlg::OnAxis()
{
    ToggleViewFlag(ID_RENDER_AXIS);
}

void CLapidoDlg::OnBnClickedWireFrame()
{
    OnRenderLine();
}
void CLapidoDlg::OnBnClickedTransparent()
{
    OnTransparentize();
}

void CLapidoDlg::OnBnClickedRenderFacets()
{
    // Switching the facets off with the check box never leaves nothing to draw.
    if (m_glPicture.m_bRenderFaces == 1 && m_glPicture.m_bRenderLines == 0)
        OnRenderLine();
    OnRenderFace();
}

void CLapidoDlg::OnRoundBrilliant()
{
    ReadParameters();
    RebuildModel();
}

void CLapidoDlg::PanViewPoint(int dx, int dy)
{
    const CPoint step = ToViewPixels(m_glPicture, dx, dy);
    CRect rect;
    m_glPicture.GetClientRect(&rect);
    const CPoint c = rect.CenterPoint();
    m_glPicture.SetCapture();
    m_glPicture.m_mouseMode = CGLPictureCtrl::kModePan;
    SetCursor(AfxLoadCursor(IDC_CURSOR_PAN));
    m_glPicture.m_lastPoint = c;
    m_glPicture.DragTo(CPoint(c.x + step.x, c.y + step.y));
    ReleaseCapture();
    m_glPicture.m_mouseMode = CGLPictureCtrl::kModeNone;
}

void CLapidoDlg::SpinViewPoint(int dx, int dy)
{
    const CPoint step = ToViewPixels(m_glPicture, dx, dy);
    CRect rect;
    m_glPicture.GetClientRect(&rect);
    const CPoint c = rect.CenterPoint();
    m_glPicture.BeginDrag(c, CGLPictureCtrl::kModeSpin);
    m_glPicture.DragTo(CPoint(c.x + step.x, c.y + step.y));
    ReleaseCapture();
    m_glPicture.m_mouseMode = CGLPictureCtrl::kModeNone;
}

void CLapidoDlg::ZoomViewPoint(short zDelta)
{
    CRect rect;
    m_glPicture.GetClientRect(&rect);
    m_glPicture.OnMouseWheel(0, zDelta, rect.CenterPoint());
}

void CLapidoDlg::OnViewPointLeft()
{
    PanViewPoint(-kViewPointStep, 0);
}
void CLapidoDlg::OnViewPointRight()
{
    PanViewPoint(kViewPointStep, 0);
}
void CLapidoDlg::OnViewPointUp()
{
    PanViewPoint(0, -kViewPointStep);
}
void CLapidoDlg::OnViewPointDown()
{
    PanViewPoint(0, kViewPointStep);
}
void CLapidoDlg::OnViewPointSpinLeft()
{
    SpinViewPoint(-kViewPointStep, 0);
}
void CLapidoDlg::OnViewPointSpinRight()
{
    SpinViewPoint(kViewPointStep, 0);
}
void CLapidoDlg::OnViewPointSpinUp()
{
    SpinViewPoint(0, -kViewPointStep);
}
void CLapidoDlg::OnViewPointSpinDown()
{
    SpinViewPoint(0, kViewPointStep);
}
void CLapidoDlg::OnViewPointZoomUp()
{
    ZoomViewPoint(kZoomWheelDelta);
}
void CLapidoDlg::OnViewPointZoomDown()
{
    ZoomViewPoint(-kZoomWheelDelta);
}

void CLapidoDlg::OnViewPointReset()
{
    CGLPictureCtrl& view = m_glPicture;
    view.m_zoom = viewdefaults::kHomeZoom;
    std::fill(std::begin(view.m_rotation), std::end(view.m_rotation), 0.0f);
    for (int i = 0; i < 4; ++i)
        view.m_rotation[i * 5] = 1.0f;
    std::fill(std::begin(view.m_center), std::end(view.m_center), 0.0f);
    ClearPick(view);
    view.ApplyHomeView();
    view.InvalidateRect(nullptr, TRUE);
}

void CLapidoDlg::OnBnClickedResetViewPoint()
{
    OnViewPointReset();
}
