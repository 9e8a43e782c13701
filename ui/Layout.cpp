#include "ui/LapidoDlg.h"

#include "platform/Gdi.h"

namespace
{
struct AnchoredControl
{
    int id;
    Anchor kind;
};

// Every control the layout moves, in the order it captures and applies them.
constexpr AnchoredControl kAnchoredControls[] = {
    {IDC_PICTURE, Anchor::Stretch},
    {IDC_EDIT_TABLE, Anchor::TopRight},
    {IDC_EDIT_DIAMETER, Anchor::TopRight},
    {IDC_EDIT_CROWN_ANGLE, Anchor::TopRight},
    {IDC_EDIT_UPPER_GIRDLE_POINT, Anchor::TopRight},
    {IDC_EDIT_UPPER_GIRDLE_ANGLE, Anchor::TopRight},
    {IDC_EDIT_PAVILION_ANGLE, Anchor::TopRight},
    {IDC_EDIT_LOWER_GIRDLE_POINT, Anchor::TopRight},
    {IDC_EDIT_LOWER_GIRDLE_ANGLE, Anchor::TopRight},
    {IDC_EDIT_GIRDLE_THICKNESS, Anchor::TopRight},
    {IDC_SPIN_TABLE, Anchor::TopRight},
    {IDC_SPIN_DIAMETER, Anchor::TopRight},
    {IDC_SPIN_CROWN_ANGLE, Anchor::TopRight},
    {IDC_SPIN_UPPER_GIRDLE_POINT, Anchor::TopRight},
    {IDC_SPIN_PAVILION_ANGLE, Anchor::TopRight},
    {IDC_SPIN_LOWER_GIRDLE_POINT, Anchor::TopRight},
    {IDC_SPIN_GIRDLE_THICKNESS, Anchor::TopRight},
    {IDC_STATIC_TABLE, Anchor::TopRight},
    {IDC_STATIC_DIAMETER, Anchor::TopRight},
    {IDC_STATIC_CROWN_ANGLE, Anchor::TopRight},
    {IDC_STATIC_UPPER_GIRDLE_POINT, Anchor::TopRight},
    {IDC_STATIC_UPPER_GIRDLE_ANGLE, Anchor::TopRight},
    {IDC_STATIC_PAVILION_ANGLE, Anchor::TopRight},
    {IDC_STATIC_LOWER_GIRDLE_POINT, Anchor::TopRight},
    {IDC_STATIC_LOWER_GIRDLE_ANGLE, Anchor::TopRight},
    {IDC_STATIC_GIRDLE_THICKNESS, Anchor::TopRight},
    {IDC_STATIC_MOUSE_HELP, Anchor::BottomLeft},
    {IDC_BUTTON_DEFAULT, Anchor::TopRight},
    {IDC_BUTTON_UPDATE, Anchor::TopRight},
    {IDC_BUTTON_FACET_COLOR, Anchor::TopRight},
    {IDC_BUTTON_BACKGROUND_COLOR, Anchor::TopRight},
    {IDC_BUTTON_RESET_VIEW_POINT, Anchor::TopRight},
    {IDC_CHECK_RENDER_FACETS, Anchor::BottomLeft},
    {IDC_CHECK_WIRE_FRAME, Anchor::BottomLeft},
    {IDC_CHECK_TRANSPARENT, Anchor::BottomLeft},
    {IDOK, Anchor::BottomRight},
    {IDCANCEL, Anchor::BottomRight},
};
constexpr std::size_t kAnchoredControlCount =
    sizeof(kAnchoredControls) / sizeof(kAnchoredControls[0]);

// The children kept out of the background erase: every id of this range, then Exit.
constexpr int kFirstExcludedId = IDC_PICTURE;
constexpr int kLastExcludedId = IDC_STATIC_MOUSE_HELP;

// Takes the rectangle of a visible child out of the region to be erased.
void ExcludeWindow(const CWnd& parent, const CWnd* pChild, CRgn& region)
{
    if (pChild == nullptr || !pChild->IsWindowVisible())
        return;
    CRect rect;
    pChild->GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    CRgn child;
    child.CreateRectRgnIndirect(&rect);
    region.CombineRgn(&region, &child, RGN_DIFF);
    child.DeleteObject();
}
} // namespace

void CLapidoDlg::LayoutControls(BOOL bCapture)
{
    CRect client;
    GetClientRect(&client);
    if (bCapture)
    {
        m_vecAnchors.assign(kAnchoredControlCount, AnchorRecord{});
        for (std::size_t i = 0; i < kAnchoredControlCount; ++i)
        {
            const CWnd* pControl = GetDlgItem(kAnchoredControls[i].id);
            if (pControl == nullptr)
                continue;
            CRect rect;
            pControl->GetWindowRect(&rect);
            ScreenToClient(&rect);
            m_vecAnchors[i] = CaptureAnchor(kAnchoredControls[i].kind, client, rect);
        }
    }
    else if (m_vecAnchors.size() == kAnchoredControlCount)
    {
        for (std::size_t i = 0; i < kAnchoredControlCount; ++i)
        {
            CWnd* pControl = GetDlgItem(kAnchoredControls[i].id);
            if (pControl == nullptr)
                continue;
            const CRect rect = ApplyAnchor(kAnchoredControls[i].kind, m_vecAnchors[i], client);
            pControl->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
        }
    }
    // The controls moved without repainting; one repaint of the whole dialog shows them.
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

void CLapidoDlg::PlaceToolBar()
{
    CRect client;
    GetClientRect(&client);
    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    m_wndToolBar.MoveWindow(0, 0, client.right - client.left, size.cy, TRUE);
}

void CLapidoDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (GetWindow(GW_CHILD) != nullptr)
        LayoutControls(FALSE);
    if (IsWindowVisible())
        PlaceToolBar();
}

void CLapidoDlg::OnSizing(UINT fwSide, CRect* pRect)
{
    CDialogEx::OnSizing(fwSide, pRect);
    EnforceMinimumWindowSize(fwSide, pRect);
}

BOOL CLapidoDlg::OnEraseBkgnd(CDC* pDC)
{
    CBrush brush;
    brush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    CRect client;
    GetClientRect(&client);
    CRgn region;
    region.CreateRectRgnIndirect(&client);
    for (int id = kFirstExcludedId; id <= kLastExcludedId; ++id)
        ExcludeWindow(*this, GetDlgItem(id), region);
    ExcludeWindow(*this, GetDlgItem(IDCANCEL), region);
    if (m_wndToolBar.IsWindow())
        ExcludeWindow(*this, &m_wndToolBar, region);
    if (pDC != nullptr)
        pDC->FillRgn(&region, &brush);
    region.DeleteObject();
    brush.DeleteObject();
    return TRUE;
}

BOOL CLapidoDlg::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    CRect rect;
    m_glPicture.GetWindowRect(&rect);
    // Over the view the view zooms; it does not hand the wheel back to the dialog.
    if (m_glPicture.IsWindow() && rect.PtInRect(pt))
        return m_glPicture.OnMouseWheel(nFlags, zDelta, pt);
    return CDialogEx::OnMouseWheel(nFlags, zDelta, pt);
}
