#pragma once
// A dialog on the main window's template that records what reaches its message map.

#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "res/resource.h"

#include <QPainter>

#include <vector>

struct LoggedMessage
{
    UINT message = 0;
    UINT id = 0;
    UINT nFlags = 0;
    int cx = 0;
    int cy = 0;
    int iDelta = 0;
    short zDelta = 0;
    CPoint point{};
    bool bPainter = false; // a CPaintDC made in the handler had a painter
};

class CProbeDlg : public CDialogEx
{
public:
    explicit CProbeDlg(UINT nIDTemplate = IDD_LAPIDO_DIALOG) : CDialogEx(nIDTemplate) {}

    std::vector<LoggedMessage> m_log;
    int m_nCancel = 0;
    int m_nOK = 0;
    bool m_bEndOnCancel = false;
    bool m_bHandleWheel = true;
    int m_nInitDialog = 0;

    int Count(UINT message, UINT id = 0) const
    {
        int n = 0;
        for (const LoggedMessage& m : m_log)
            if (m.message == message && (id == 0 || m.id == id))
                ++n;
        return n;
    }
    const LoggedMessage* Last(UINT message) const
    {
        for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

    BOOL OnInitDialog() override
    {
        ++m_nInitDialog;
        return CDialogEx::OnInitDialog();
    }
    void OnOK() override { ++m_nOK; }
    void OnCancel() override
    {
        ++m_nCancel;
        if (m_bEndOnCancel)
            CDialogEx::OnCancel();
    }

    void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back({WM_SIZE, 0, nType, cx, cy});
        CDialogEx::OnSize(nType, cx, cy);
    }
    void OnSizing(UINT fwSide, CRect* pRect)
    {
        CDialogEx::OnSizing(fwSide, pRect);
        m_log.push_back({WM_SIZING, 0, fwSide});
        if (pRect->Width() < 480)
            pRect->right = pRect->left + 480;
        if (pRect->Height() < 400)
            pRect->bottom = pRect->top + 400;
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        LoggedMessage m{WM_ERASEBKGND};
        m.bPainter = pDC != nullptr && pDC->GetPainter() != nullptr;
        m_log.push_back(m);
        return CDialogEx::OnEraseBkgnd(pDC);
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        LoggedMessage m{WM_PAINT};
        m.bPainter = dc.GetPainter() != nullptr;
        m_log.push_back(m);
    }
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        LoggedMessage m{WM_MOUSEWHEEL, 0, nFlags};
        m.zDelta = zDelta;
        m.point = pt;
        m_log.push_back(m);
        return m_bHandleWheel ? TRUE : CDialogEx::OnMouseWheel(nFlags, zDelta, pt);
    }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        m_log.push_back({WM_SYSCOMMAND, 0, nID});
        CDialogEx::OnSysCommand(nID, lParam);
    }
    void OnUpdate() { m_log.push_back({WM_COMMAND, IDC_BUTTON_UPDATE}); }
    void OnDefault() { m_log.push_back({WM_COMMAND, IDC_BUTTON_DEFAULT}); }
    void OnRenderFacets() { m_log.push_back({WM_COMMAND, IDC_CHECK_RENDER_FACETS}); }
    void OnRenderPoint() { m_log.push_back({WM_COMMAND, ID_RENDER_POINT}); }
    void OnPickFace() { m_log.push_back({WM_COMMAND, ID_PICK_FACE}); }
    void OnViewPoint() { m_log.push_back({WM_COMMAND, ID_VIEW_POINT_RESET}); }
    void OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* updown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
        LoggedMessage m{WM_NOTIFY, pNMHDR->idFrom, pNMHDR->code};
        m.iDelta = updown->iDelta;
        m_log.push_back(m);
        *pResult = 0;
    }
    void OnDestroy() { m_log.push_back({WM_DESTROY}); }

    DECLARE_MESSAGE_MAP()
};
