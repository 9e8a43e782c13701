#include "ui/LapidoDlg.h"

#include "platform/Gdi.h"
#include "platform/Image.h"

BEGIN_MESSAGE_MAP(CLapidoDlg, CDialogEx)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_SIZE()
ON_WM_SIZING()
ON_WM_ERASEBKGND()
ON_WM_MOUSEWHEEL()
ON_COMMAND(ID_MOUSE_ENABLE_SPIN, OnMouseEnableSpin)
ON_COMMAND(ID_MOUSE_ENABLE_PAN, OnMouseEnablePan)
ON_COMMAND(ID_MOUSE_ENABLE_ZOOM, OnMouseEnableZoom)
ON_COMMAND(ID_PICK_POINT, OnPickPoint)
ON_COMMAND(ID_PICK_LINE, OnPickLine)
ON_COMMAND(ID_PICK_FACE, OnPickFace)
ON_COMMAND(ID_RENDER_POINT, OnRenderPoint)
ON_COMMAND(ID_RENDER_LINE, OnRenderLine)
ON_COMMAND(ID_RENDER_FACE, OnRenderFace)
ON_COMMAND(ID_RENDER_TRANSPARENTIZE, OnTransparentize)
ON_COMMAND(ID_RENDER_AXIS, OnAxis)
ON_COMMAND(ID_RENDER_BACKGROUND_COLOR, OnBackgroundColor)
ON_COMMAND(ID_RENDER_FACE_COLOR, OnFaceColor)
ON_COMMAND(ID_MISC_ROUND_BRILLIANT, OnRoundBrilliant)
ON_BN_CLICKED(IDC_BUTTON_UPDATE, OnBnClickedUpdate)
ON_BN_CLICKED(IDC_BUTTON_DEFAULT, OnBnClickedDefault)
ON_BN_CLICKED(IDC_BUTTON_RESET_VIEW_POINT, OnBnClickedResetViewPoint)
ON_BN_CLICKED(IDC_CHECK_RENDER_FACETS, OnBnClickedRenderFacets)
ON_BN_CLICKED(IDC_CHECK_WIRE_FRAME, OnBnClickedWireFrame)
ON_BN_CLICKED(IDC_CHECK_TRANSPARENT, OnBnClickedTransparent)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_TABLE, OnDeltaposSpinTable)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_DIAMETER, OnDeltaposSpinDiameter)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_CROWN_ANGLE, OnDeltaposSpinCrownAngle)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_UPPER_GIRDLE_POINT, OnDeltaposSpinUpperGirdle)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_PAVILION_ANGLE, OnDeltaposSpinPavilionAngle)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_LOWER_GIRDLE_POINT, OnDeltaposSpinLowerGirdle)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_GIRDLE_THICKNESS, OnDeltaposSpinGirdleThickness)
ON_BN_CLICKED(IDC_BUTTON_FACET_COLOR, OnBnClickedFacetColor)
ON_BN_CLICKED(IDC_BUTTON_BACKGROUND_COLOR, OnBnClickedBackgroundColor)
ON_COMMAND(ID_MISC_ABOUT, OnAbout)
ON_COMMAND(ID_VIEW_POINT_RESET, OnViewPointReset)
ON_COMMAND(ID_VIEW_POINT_LEFT, OnViewPointLeft)
ON_COMMAND(ID_VIEW_POINT_RIGHT, OnViewPointRight)
ON_COMMAND(ID_VIEW_POINT_UP, OnViewPointUp)
ON_COMMAND(ID_VIEW_POINT_DOWN, OnViewPointDown)
ON_COMMAND(ID_VIEW_POINT_SPIN_LEFT, OnViewPointSpinLeft)
ON_COMMAND(ID_VIEW_POINT_SPIN_RIGHT, OnViewPointSpinRight)
ON_COMMAND(ID_VIEW_POINT_SPIN_UP, OnViewPointSpinUp)
ON_COMMAND(ID_VIEW_POINT_SPIN_DOWN, OnViewPointSpinDown)
ON_COMMAND(ID_VIEW_POINT_ZOOM_UP, OnViewPointZoomUp)
ON_COMMAND(ID_VIEW_POINT_ZOOM_DOWN, OnViewPointZoomDown)
END_MESSAGE_MAP()

CLapidoDlg::CLapidoDlg() : CDialogEx(IDD, nullptr)
{
    m_hIcon = AfxLoadIcon(IDR_MAINFRAME);
    m_glPicture.SetDragCursors(IDC_CURSOR_SPIN, IDC_CURSOR_PAN);
}

CLapidoDlg::~CLapidoDlg()
{
    // The window goes while the view and the toolbar are still whole, so the view can
    // release its context in its destroy handler.
    if (IsWindow())
        DestroyWindow();
}

void CLapidoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICTURE, m_glPicture);
}

void CLapidoDlg::OnPaint()
{
    if (!IsIconic())
    {
        CDialogEx::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CLapidoDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
