#include "platform/Gdi.h"

#include "platform/Image.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QRegion>

#include <map>
#include <set>

namespace
{
// The size the desktop draws icons at.
constexpr int kIconSize = 32;

std::set<CDC*>& LiveDCs()
{
    static std::set<CDC*> live;
    return live;
}

std::map<const CWnd*, QPainter*>& PaintPainters()
{
    static std::map<const CWnd*, QPainter*> painters;
    return painters;
}

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

int RegionKind(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
} // namespace

COLORREF GetSysColor(int nIndex)
{
    if (nIndex != COLOR_BTNFACE)
        return 0;
    // The face of buttons and of dialogs alike: the window colour of the palette.
    const QColor c = QApplication::palette().color(QPalette::Active, QPalette::Window);
    return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()),
               static_cast<BYTE>(c.blue()));
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex)
    {
    case SM_CXICON:
    case SM_CYICON:
        return kIconSize;
    default:
        return 0;
    }
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    m_color = crColor;
    m_bValid = true;
    return TRUE;
}

BOOL CBrush::DeleteObject()
{
    const BOOL was = m_bValid ? TRUE : FALSE;
    m_bValid = false;
    return was;
}

CRgn::CRgn() : m_pRegion(std::make_unique<QRegion>()) {}

CRgn::~CRgn() = default;

const QRegion& CRgn::GetRegion() const
{
    return *m_pRegion;
}

BOOL CRgn::CreateRectRgnIndirect(const CRect* pRect)
{
    if (pRect == nullptr)
        return FALSE;
    return CreateRectRgn(pRect->left, pRect->top, pRect->right, pRect->bottom);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    *m_pRegion = (x2 > x1 && y2 > y1) ? QRegion(x1, y1, x2 - x1, y2 - y1) : QRegion();
    m_bValid = true;
    return TRUE;
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (pRgn1 == nullptr || !pRgn1->m_bValid || pRgn2 == nullptr || !pRgn2->m_bValid ||
        nCombineMode != RGN_DIFF)
        return RGN_ERROR;
    *m_pRegion = pRgn1->m_pRegion->subtracted(*pRgn2->m_pRegion);
    m_bValid = true;
    return RegionKind(*m_pRegion);
}

BOOL CRgn::DeleteObject()
{
    const BOOL was = m_bValid ? TRUE : FALSE;
    *m_pRegion = QRegion();
    m_bValid = false;
    return was;
}

BOOL CRgn::PtInRegion(CPoint point) const
{
    return m_pRegion->contains(QPoint(point.x, point.y)) ? TRUE : FALSE;
}

CDC::CDC(QPainter* pPainter) : m_pPainter(pPainter)
{
    SetDeviceResolution(m_deviceContext, nullptr);
    LiveDCs().insert(this);
}

CDC::~CDC()
{
    LiveDCs().erase(this);
}

CDC* CDC::FromHandle(HDC hDC)
{
    for (CDC* dc : LiveDCs())
        if (&dc->m_deviceContext == hDC)
            return dc;
    return nullptr;
}

BOOL CDC::FillRgn(const CRgn* pRgn, const CBrush* pBrush)
{
    if (pRgn == nullptr || pBrush == nullptr || !pBrush->IsValid())
        return FALSE;
    if (m_pPainter == nullptr)
        return TRUE;
    const QColor color = ToQColor(pBrush->GetColor());
    for (const QRect& r : pRgn->GetRegion())
        m_pPainter->fillRect(r, color);
    return TRUE;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF crColor)
{
    if (m_pPainter != nullptr && rect.Width() > 0 && rect.Height() > 0)
        m_pPainter->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()),
                             ToQColor(crColor));
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (hIcon == nullptr)
        return FALSE;
    if (m_pPainter != nullptr)
        IconOf(hIcon).paint(m_pPainter, QRect(x, y, kIconSize, kIconSize));
    return TRUE;
}

CPaintDC::CPaintDC(CWnd* pWnd)
{
    auto& painters = PaintPainters();
    if (auto it = painters.find(pWnd); it != painters.end())
        SetPainter(it->second);
}

CPaintDC::~CPaintDC() = default;

void CPaintDC::SetPaintPainter(const CWnd* pWnd, QPainter* pPainter)
{
    if (pPainter != nullptr)
        PaintPainters()[pWnd] = pPainter;
    else
        PaintPainters().erase(pWnd);
}
