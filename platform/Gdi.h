#pragma once
// Drawing for dialogs: a device context over a QPainter, solid brushes, rectangular regions,
// system colours and metrics, and icons. The 3D view draws with OpenGL, not through these.

#include "platform/DeviceContext.h"
#include "platform/MessageMap.h"
#include "platform/Types.h"

#include <memory>

class CWnd;
class QPainter;
class QRegion;

// System colours and metrics.
enum : int
{
    COLOR_BTNFACE = 15,
};
enum : int
{
    SM_CXICON = 11,
    SM_CYICON = 12,
};

COLORREF GetSysColor(int nIndex);
// The size icons are drawn at, in pixels.
int GetSystemMetrics(int nIndex);

class CBrush
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL DeleteObject();
    BOOL IsValid() const { return m_bValid ? TRUE : FALSE; }
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color = 0;
    bool m_bValid = false;
};

// Region combination mode (only the difference is offered) and results.
enum : int
{
    RGN_DIFF = 4,
};
enum : int
{
    RGN_ERROR = 0,
    NULLREGION = 1,
    SIMPLEREGION = 2,
    COMPLEXREGION = 3,
};

class CRgn
{
public:
    CRgn();
    ~CRgn();
    CRgn(const CRgn&) = delete;
    CRgn& operator=(const CRgn&) = delete;
    BOOL CreateRectRgnIndirect(const CRect* pRect);
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    // Makes this region pRgn1 without pRgn2 (RGN_DIFF); returns the kind of the result,
    // RGN_ERROR for another mode or a region never created.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    BOOL DeleteObject();
    BOOL PtInRegion(CPoint point) const;

private:
    friend class CDC;
    friend struct PlatformTesting;
    const QRegion& GetRegion() const;

    std::unique_ptr<QRegion> m_pRegion; // never null
    bool m_bValid = false;
};

// A device context over a QPainter (nullptr: one that draws nothing). Its handle, an HDC,
// carries the logical resolution and turns back into the CDC with FromHandle while it lives.
class CDC
{
public:
    explicit CDC(QPainter* pPainter = nullptr);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    QPainter* GetPainter() const { return m_pPainter; }
    HDC GetSafeHdc() { return &m_deviceContext; }
    // The CDC of a live handle, or nullptr.
    static CDC* FromHandle(HDC hDC);

    BOOL FillRgn(const CRgn* pRgn, const CBrush* pBrush);
    void FillSolidRect(const CRect& rect, COLORREF crColor);
    BOOL DrawIcon(int x, int y, HICON hIcon);

protected:
    void SetPainter(QPainter* pPainter) { m_pPainter = pPainter; }

private:
    QPainter* m_pPainter = nullptr;
    DeviceContext m_deviceContext;
};

// The device context of a paint in progress: inside a window's WM_PAINT (and its
// WM_ERASEBKGND) it draws with that paint's painter; anywhere else it draws nothing.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    // The platform's paint of a window's client area sets the painter that CPaintDC objects
    // of that window use while it runs; nullptr ends it.
    static void SetPaintPainter(const CWnd* pWnd, QPainter* pPainter);
};
