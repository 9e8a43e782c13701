// Mouse input: the left button spins, the right pans, the wheel zooms and a middle click
// picks. The mouse is captured for a drag and the drag's cursor shown.
#include "view/GLPictureCtrl.h"

#include "platform/Image.h"

namespace
{
constexpr int kWheelDeltaPerPixel = 20;

void ShowCursor(UINT nCursor)
{
    if (nCursor != 0)
        SetCursor(AfxLoadCursor(nCursor));
}
} // namespace

void CGLPictureCtrl::SetDragCursors(UINT nSpinCursor, UINT nPanCursor)
{
    m_nSpinCursor = nSpinCursor;
    m_nPanCursor = nPanCursor;
}

void CGLPictureCtrl::BeginDrag(CPoint point, int mode)
{
    SetCapture();
    m_mouseMode = mode;
    switch (mode)
    {
    case kModeSpin:
        ShowCursor(m_nSpinCursor);
        ProjectToSphere(point, static_cast<float>(m_cx), static_cast<float>(m_cy), m_lastVec);
        break;
    case kModePan:
        ShowCursor(m_nPanCursor);
        m_lastPoint = point;
        break;
    case kModeZoom:
        m_lastPoint = point;
        break;
    default:
        break;
    }
}

void CGLPictureCtrl::DragTo(CPoint point)
{
    // The drag's cursor shows even where the step itself is switched off.
    switch (m_mouseMode)
    {
    case kModeSpin:
        ShowCursor(m_nSpinCursor);
        if (m_bEnableSpin)
        {
            SpinStep(point);
            InvalidateRect(nullptr, FALSE);
        }
        break;
    case kModePan:
        ShowCursor(m_nPanCursor);
        if (m_bEnablePan)
        {
            PanStep(point);
            InvalidateRect(nullptr, FALSE);
        }
        break;
    case kModeZoom:
        if (m_bEnableZoom)
        {
            ZoomStep(point);
            InvalidateRect(nullptr, FALSE);
        }
        break;
    default:
        break;
    }
}

void CGLPictureCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    BeginDrag(point, kModeSpin);
    Default();
}

void CGLPictureCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    BeginDrag(point, kModePan);
    Default();
}

void CGLPictureCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    ReleaseCapture();
    m_mouseMode = kModeNone;
    Default();
}

void CGLPictureCtrl::OnMButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CGLPictureCtrl::OnMButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (Pick(point.x, point.y) > 0)
    {
        InvalidateRect(nullptr, FALSE);
        return;
    }
    Default();
}

void CGLPictureCtrl::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    DragTo(point);
    Default();
}

BOOL CGLPictureCtrl::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint pt)
{
    SetCapture();
    m_lastPoint = pt;
    m_mouseMode = kModeZoom;
    // A rise of d pixels for the zoom step; integer division truncates toward zero.
    const int d = zDelta / kWheelDeltaPerPixel;
    DragTo(CPoint(pt.x - d, pt.y - d));
    ReleaseCapture();
    m_mouseMode = kModeNone;
    // Default processing does not hand the wheel on: this was its one zoom step.
    return static_cast<BOOL>(Default());
}
