#pragma once
// CToolBar: a one-row bar of image buttons, flush against each other, cut from one bitmap
// strip. A click sends WM_COMMAND with the button's id to the parent window through its
// message map, exactly as the menu item with the same id does.

#include "platform/Wnd.h"

#include <memory>

class QToolButton;

// Control-bar styles (the bar style, kept apart from the window style).
enum : DWORD
{
    CBRS_BORDER_LEFT = 0x0100,
    CBRS_BORDER_TOP = 0x0200,
    CBRS_BORDER_RIGHT = 0x0400,
    CBRS_BORDER_BOTTOM = 0x0800,
    CBRS_ALIGN_TOP = 0x1000,
    CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
};
// Toolbar window styles.
enum : DWORD
{
    TBSTYLE_LIST = 0x1000,
};
// Button styles.
enum : UINT
{
    TBBS_BUTTON = 0x0000,
    TBBS_SEPARATOR = 0x0001,
};
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;

class CToolBar : public CWnd
{
public:
    // Pixels of an image of the strip and of a button around it.
    static constexpr int kImageWidth = 16;
    static constexpr int kImageHeight = 15;
    static constexpr int kButtonWidth = kImageWidth + 7;
    static constexpr int kButtonHeight = kImageHeight + 7;
    static constexpr int kSeparatorWidth = 8;
    // Room above and below the buttons, and the width of a drawn border.
    static constexpr int kBarPadding = 2;
    static constexpr int kBorder = 1;

    CToolBar();
    ~CToolBar() override;

    // Creates the bar as a child of pParentWnd's client area. dwStyle mixes window styles
    // (WS_CHILD, WS_VISIBLE) and bar styles (CBRS_...); nID is the bar's control id.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // Takes the bitmap resource as a strip of kImageWidth x kImageHeight images.
    BOOL LoadBitmap(UINT nIDResource);
    // Makes nIDCount buttons; with no id array they are blank (id 0, no image) until
    // SetButtonInfo fills them.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    int GetCount() const;
    UINT GetItemID(int nIndex) const;

    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetBarStyle(DWORD dwStyle);

    // The bar's size on one row: all buttons side by side, the padding and the borders of
    // the bar style. Only the horizontal layout exists; bStretch gives the parent's width.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

    void DestroyWindow();

private:
    // A button and its Qt widget; the buttons and the images cut from the strip live in Impl,
    // out of this header so that code above the platform builds without Qt's headers.
    struct Button;
    struct Impl;
    friend class ToolBarWidget;
    friend struct PlatformTesting;
    // The Qt button of an index, nullptr when out of range.
    QToolButton* ButtonWidget(int nIndex) const;
    // Id, style and image of a button; 0, 0 and -1 out of range.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void RefreshButton(Button& button);
    void Relayout();
    void SendCommand(int nIndex);
    static int WidthOf(const Button& button);
    // Border widths of the bar style: left, top, right, bottom.
    int BorderLeft() const;
    int BorderTop() const;
    int BorderRight() const;
    int BorderBottom() const;

    CWnd* m_pOwner = nullptr;
    DWORD m_dwBarStyle = 0;
    std::unique_ptr<Impl> m_pImpl;
};
