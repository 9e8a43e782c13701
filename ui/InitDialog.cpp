#include "ui/LapidoDlg.h"
#include "ui/PanelRows.h"

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Resource.h"
#include "platform/gl.h"

namespace
{
// The toolbar's buttons, left to right; button i shows image i of the strip.
constexpr UINT kToolBarCommands[] = {
    ID_VIEW_POINT_RESET,      ID_VIEW_POINT_LEFT,      ID_VIEW_POINT_RIGHT,
    ID_VIEW_POINT_UP,         ID_VIEW_POINT_DOWN,      ID_VIEW_POINT_SPIN_LEFT,
    ID_VIEW_POINT_SPIN_RIGHT, ID_VIEW_POINT_SPIN_UP,   ID_VIEW_POINT_SPIN_DOWN,
    ID_VIEW_POINT_ZOOM_UP,    ID_VIEW_POINT_ZOOM_DOWN,
};
constexpr int kToolBarButtonCount = sizeof(kToolBarCommands) / sizeof(kToolBarCommands[0]);
} // namespace

BOOL CLapidoDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
    {
        const CString about = AfxLoadString(IDS_ABOUTBOX);
        if (!about.empty())
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDR_TOOLBAR_VIEW))
        return -1;
    m_wndToolBar.ModifyStyle(0, TBSTYLE_LIST);
    m_wndToolBar.LoadBitmap(IDR_TOOLBAR_VIEW);
    m_wndToolBar.SetButtons(nullptr, kToolBarButtonCount);
    m_wndToolBar.SetBarStyle((m_wndToolBar.GetBarStyle() & ~DWORD(CBRS_BORDER_TOP)) |
                             CBRS_BORDER_BOTTOM);
    for (int i = 0; i < kToolBarButtonCount; ++i)
        m_wndToolBar.SetButtonInfo(i, kToolBarCommands[i], TBBS_BUTTON, i);
    PlaceToolBar();

    LayoutControls(TRUE);
    LayoutControls(FALSE);

    CGLPictureCtrl& view = m_glPicture;
    CRect rect;
    view.GetClientRect(&rect);
    view.m_cx = rect.Width();
    view.m_cy = rect.Height();
    glViewport(0, 0, view.m_cx, view.m_cy);
    if (view.m_hRC != nullptr)
    {
        glViewport(0, 0, view.m_cx, view.m_cy);
        view.ApplyHomeView();
    }

    ShowViewFlags();
    SetMark(ID_RENDER_RAY_TRACE, FALSE); // nothing sets it

    m_cut = kDefaultCut;
    WriteParameters();
    RebuildModel();
    return TRUE;
}
