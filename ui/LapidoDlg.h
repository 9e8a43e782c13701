#pragma once
// CLapidoDlg: the main window. A resizable dialog with the menu, the view-point toolbar,
// the 3D view on the left and the panel of the nine proportions on the right. It owns the
// view and the current proportions; every change of the proportions ends in RebuildModel.
// The handlers are spread over files by concern: panel text (Panel.cpp), rebuild
// (Rebuild.cpp), layout (Layout.cpp), menu and button commands (Commands.cpp), panel
// commands (PanelCommands.cpp), colours (Colors.cpp), About box and closing (Closing.cpp).

#include "ui/AnchorLayout.h"

#include "geometry/CutParameters.h"
#include "platform/Dialog.h"
#include "platform/ToolBar.h"
#include "res/resource.h"
#include "view/GLPictureCtrl.h"

#include <vector>

class CLapidoDlg : public CDialogEx
{
public:
    enum
    {
        IDD = IDD_LAPIDO_DIALOG
    };

    CLapidoDlg();
    ~CLapidoDlg() override;

    // Panel text to m_cut, and back (Panel.cpp).
    void ReadParameters();
    void WriteParameters();
    // Reconciles m_cut, writes it to the panel and gives the view a new model (Rebuild.cpp).
    void RebuildModel();
    // Records the anchor of every control from the current placement (TRUE), or moves every
    // control from the records (FALSE).
    void LayoutControls(BOOL bCapture);

    CGLPictureCtrl m_glPicture;
    HICON m_hIcon = nullptr;
    CToolBar m_wndToolBar;
    CutParameters m_cut;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, CRect* pRect);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    void OnMouseEnableSpin();
    void OnMouseEnablePan();
    void OnMouseEnableZoom();
    void OnPickPoint();
    void OnPickLine();
    void OnPickFace();
    void OnRenderPoint();
    void OnRenderLine();
    void OnRenderFace();
    void OnTransparentize();
    void OnAxis();
    void OnBackgroundColor();
    void OnFaceColor();
    void OnRoundBrilliant();
    void OnBnClickedUpdate();
    void OnBnClickedDefault();
    void OnBnClickedResetViewPoint();
    void OnBnClickedRenderFacets();
    void OnBnClickedWireFrame();
    void OnBnClickedTransparent();
    void OnDeltaposSpinTable(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaposSpinDiameter(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaposSpinCrownAngle(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaposSpinUpperGirdle(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaposSpinPavilionAngle(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaposSpinLowerGirdle(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeltaposSpinGirdleThickness(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBnClickedFacetColor();
    void OnBnClickedBackgroundColor();
    void OnAbout();
    void OnViewPointReset();
    void OnViewPointLeft();
    void OnViewPointRight();
    void OnViewPointUp();
    void OnViewPointDown();
    void OnViewPointSpinLeft();
    void OnViewPointSpinRight();
    void OnViewPointSpinUp();
    void OnViewPointSpinDown();
    void OnViewPointZoomUp();
    void OnViewPointZoomDown();

    DECLARE_MESSAGE_MAP()

private:
    // Flips one of the view's flags with its mark, its check box and its redraw.
    void ToggleViewFlag(UINT nCommandID);
    // Every toggled flag's menu mark and check box as the view's flags stand.
    void ShowViewFlags();
    void SetMark(UINT nCommandID, BOOL bChecked);
    void SetCheckBox(int nID, BOOL bChecked);
    // A 10-pixel pan or spin drag from the view's centre, as the mouse would make it.
    void PanViewPoint(int dx, int dy);
    void SpinViewPoint(int dx, int dy);
    void ZoomViewPoint(short zDelta);
    // One up-down notification on a panel row.
    void StepRow(int nRow, NMHDR* pNMHDR, LRESULT* pResult);
    // Places the toolbar across the top of the client area.
    void PlaceToolBar();

    // One record per control the layout moves, in the order of its table; empty until the
    // placement has been captured, and the apply step does nothing before that.
    std::vector<AnchorRecord> m_vecAnchors;
};
