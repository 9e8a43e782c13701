#pragma once
// Basic value types of the desktop vocabulary the application is written in: flags,
// integer handles, points, sizes and rectangles in pixels.

#include <cstdint>
#include <string>

using BOOL = int; // a 32-bit flag holding 0 or 1
using UINT = unsigned int;
using DWORD = std::uint32_t;
using BYTE = unsigned char;
using LONG = std::int32_t;
using LRESULT = std::intptr_t;
using LPARAM = std::intptr_t;
using WPARAM = std::uintptr_t;
using COLORREF = std::uint32_t; // 0x00BBGGRR
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

using CString = std::wstring;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

struct CPoint
{
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int ax, int ay) : x(ax), y(ay) {}
    constexpr bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const CPoint& o) const { return !(*this == o); }
};

struct CSize
{
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    constexpr bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    // Right and bottom edges are exclusive, as everywhere in window geometry.
    constexpr bool PtInRect(CPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator!=(const CRect& o) const { return !(*this == o); }
};
