// The dialog templates, the menu and the string table as data.

#include "platform/Controls.h"
#include "platform/Resource.h"
#include "platform/Styles.h"
#include "res/Version.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{
using K = ControlKind;

struct ExpectedItem
{
    UINT id;
    K kind;
    const wchar_t* text;
    short x, y, cx, cy;
    bool tabStop;
};

// The main window, in tab order.
const ExpectedItem kMain[] = {
    {1001, K::DefPushButton, L"Update", 316, 194, 80, 14, true},
    {1020, K::PushButton, L"Default", 316, 177, 80, 14, true},
    {1021, K::PushButton, L"Reset View Point", 216, 177, 80, 14, true},
    {1002, K::Edit, L"", 216, 24, 40, 14, true},
    {1025, K::UpDown, L"", 256, 24, 11, 14, false},
    {1011, K::Label, L"Table Semi-Diameter", 269, 27, 66, 8, false},
    {1003, K::Edit, L"", 216, 40, 40, 14, true},
    {1026, K::UpDown, L"", 256, 40, 11, 14, false},
    {1012, K::Label, L"Diamond Semi-Diamter", 269, 43, 72, 8, false},
    {1004, K::Edit, L"", 216, 56, 40, 14, true},
    {1027, K::UpDown, L"", 256, 56, 11, 14, false},
    {1013, K::Label, L"Crown Angle in degree", 269, 59, 74, 8, false},
    {1005, K::Edit, L"", 216, 75, 40, 14, true},
    {1028, K::UpDown, L"", 256, 75, 11, 14, false},
    {1014, K::Label, L"Upper girdle facet point\n(Adjoin Point of Star and Upper girdle)", 269, 74,
     128, 18, false},
    {1006, K::Edit, L"", 216, 93, 40, 14, true},
    {1015, K::Label, L"Upper girdle facet angle in degree", 269, 96, 110, 8, false},
    {1007, K::Edit, L"", 216, 109, 40, 14, true},
    {1029, K::UpDown, L"", 256, 109, 11, 14, false},
    {1016, K::Label, L"Pavilion Angle in degree", 269, 112, 77, 8, false},
    {1008, K::Edit, L"", 216, 125, 40, 14, true},
    {1030, K::UpDown, L"", 256, 125, 11, 14, false},
    {1017, K::Label, L"Lower girdle facet point", 269, 128, 76, 8, false},
    {1009, K::Edit, L"", 216, 141, 40, 14, true},
    {1018, K::Label, L"Lower girdle facet angle", 269, 144, 78, 8, false},
    {1010, K::Edit, L"", 216, 157, 40, 14, true},
    {1031, K::UpDown, L"", 256, 157, 11, 14, false},
    {1019, K::Label, L"Girdle thickness", 269, 160, 50, 8, false},
    {1022, K::CheckBox, L"Render Facets", 10, 200, 63, 10, true},
    {1023, K::CheckBox, L"Wire Frame\n(Model: Assembled Triangles)", 10, 210, 124, 20, true},
    {1024, K::CheckBox, L"Transparent", 10, 231, 55, 10, true},
    {1, K::DefPushButton, L"OK", 217, 231, 80, 14, true},
    {2, K::PushButton, L"Exit", 316, 226, 80, 14, true},
    {1000, K::Frame, L"", 7, 24, 198, 172, true},
    {1032, K::PushButton, L"Facet Color ...", 216, 194, 80, 14, true},
    {1033, K::PushButton, L"Background Color ...", 216, 211, 80, 14, true},
    {1034, K::Label, L"Mouse\n  L-Drag: Spin\n  R-Drag: Move\n  Wheel: Zoom", 148, 202, 60, 36,
     false},
};

void ExpectItems(const DialogTemplate& tmpl, const ExpectedItem* expected, std::size_t count)
{
    ASSERT_EQ(tmpl.itemCount, count);
    for (std::size_t i = 0; i < count; ++i)
    {
        const DialogItemTemplate& item = tmpl.items[i];
        const ExpectedItem& e = expected[i];
        SCOPED_TRACE(testing::Message() << "item " << i << " id " << e.id);
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(item.kind, e.kind);
        EXPECT_EQ(std::wstring(item.text), std::wstring(e.text));
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
        EXPECT_EQ((item.style & WS_TABSTOP) != 0, e.tabStop);
    }
}

const DialogItemTemplate* Item(const DialogTemplate& tmpl, UINT id)
{
    for (std::size_t i = 0; i < tmpl.itemCount; ++i)
        if (tmpl.items[i].id == id)
            return &tmpl.items[i];
    return nullptr;
}
} // namespace

TEST(DialogData, MainWindowTemplate)
{
    const DialogTemplate* tmpl = AfxFindDialogTemplate(IDD_LAPIDO_DIALOG);
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(std::wstring(tmpl->caption), L"Facetta");
    EXPECT_EQ(std::wstring(tmpl->fontFace), L"MS Shell Dlg");
    EXPECT_EQ(tmpl->pointSize, 8);
    EXPECT_EQ(tmpl->cx, 401);
    EXPECT_EQ(tmpl->cy, 246);
    EXPECT_EQ(tmpl->menuId, UINT(IDR_MENU_VIEW_SHADING_3D));
    const DWORD frame = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                        WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(tmpl->style & frame, frame);
    EXPECT_EQ(tmpl->exStyle, DWORD(WS_EX_APPWINDOW));
    ExpectItems(*tmpl, kMain, sizeof(kMain) / sizeof(kMain[0]));

    // Styles the rows and buttons depend on.
    struct Style
    {
        UINT id;
        DWORD set;
        DWORD clear;
    } styles[] = {
        {1001, WS_VISIBLE | BS_DEFPUSHBUTTON, WS_DISABLED},
        {1, BS_DEFPUSHBUTTON | WS_DISABLED, WS_VISIBLE}, // hidden and disabled
        {1006, WS_VISIBLE | ES_READONLY | WS_BORDER | ES_AUTOHSCROLL, 0},
        {1009, WS_VISIBLE | ES_READONLY | WS_BORDER | ES_AUTOHSCROLL, 0},
        {1004, WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, ES_READONLY},
        {1027, UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 0},
        {1023, BS_AUTOCHECKBOX | BS_MULTILINE, 0},
        {1022, BS_AUTOCHECKBOX, BS_MULTILINE},
        {1000, SS_GRAYFRAME | SS_NOTIFY | WS_VISIBLE, 0},
    };
    for (const Style& s : styles)
    {
        const DialogItemTemplate* item = Item(*tmpl, s.id);
        ASSERT_NE(item, nullptr) << s.id;
        EXPECT_EQ(item->style & s.set, s.set) << s.id;
        EXPECT_EQ(item->style & s.clear, 0u) << s.id;
    }
    // The hidden OK is the last default button, so Enter presses nothing.
    const DialogItemTemplate* lastDefault = nullptr;
    for (std::size_t i = 0; i < tmpl->itemCount; ++i)
        if (tmpl->items[i].kind == K::DefPushButton)
            lastDefault = &tmpl->items[i];
    ASSERT_NE(lastDefault, nullptr);
    EXPECT_EQ(lastDefault->id, UINT(IDOK));
    // Every up-down follows its buddy edit.
    for (std::size_t i = 0; i < tmpl->itemCount; ++i)
        if (tmpl->items[i].kind == K::UpDown)
        {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(tmpl->items[i - 1].kind, K::Edit) << tmpl->items[i].id;
        }
}

TEST(DialogData, AboutBoxTemplate)
{
    const DialogTemplate* tmpl = AfxFindDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(std::wstring(tmpl->caption), L"About Lapido");
    EXPECT_EQ(tmpl->cx, 240);
    EXPECT_EQ(tmpl->cy, 68);
    EXPECT_EQ(tmpl->pointSize, 8);
    EXPECT_EQ(tmpl->menuId, 0u);
    EXPECT_TRUE(tmpl->style & DS_MODALFRAME);
    EXPECT_FALSE(tmpl->style & WS_THICKFRAME);
    const UINT none = static_cast<UINT>(IDC_STATIC);
    const ExpectedItem about[] = {
        {none, K::Icon, L"", 14, 14, 20, 20, false},
        {none, K::Label, L"Facetta, Version " LAPIDO_VERSION, 42, 14, 180, 8, false},
        {IDOK, K::DefPushButton, L"OK", 99, 47, 50, 14, true},
    };
    ExpectItems(*tmpl, about, 3);
    EXPECT_EQ(tmpl->items[0].resourceId, UINT(IDR_MAINFRAME));
    EXPECT_TRUE(tmpl->items[1].style & SS_NOPREFIX);
    EXPECT_TRUE(tmpl->items[2].style & WS_GROUP);
}

TEST(DialogData, ViewMenu)
{
    const MenuTemplate* menu = AfxFindMenuTemplate(IDR_MENU_VIEW_SHADING_3D);
    ASSERT_NE(menu, nullptr);
    // Depth-marked listing: "(" opens a popup, ")" closes it, "-" a separator.
    std::vector<std::wstring> listing;
    int depth = 0;
    std::set<UINT> ids;
    for (std::size_t i = 0; i < menu->itemCount; ++i)
    {
        const MenuItemTemplate& item = menu->items[i];
        switch (item.kind)
        {
        case MenuItemKind::Popup:
            listing.push_back(L"(" + std::wstring(item.caption));
            ++depth;
            break;
        case MenuItemKind::EndPopup:
            listing.push_back(L")");
            --depth;
            ASSERT_GE(depth, 0);
            break;
        case MenuItemKind::Separator:
            listing.push_back(L"-");
            break;
        case MenuItemKind::Item:
            listing.push_back(std::wstring(item.caption) + L"=" + std::to_wstring(item.id));
            EXPECT_TRUE(ids.insert(item.id).second) << item.id;
            EXPECT_EQ(std::wstring(item.caption).find(L'&'), std::wstring::npos);
            EXPECT_EQ(std::wstring(item.caption).find(L'\t'), std::wstring::npos);
            break;
        }
    }
    EXPECT_EQ(depth, 0);
    const std::vector<std::wstring> expected = {
        L"(Render",
        L"Point=32778",
        L"Line=32779",
        L"Face=32780",
        L"-",
        L"Ray Trace=32781",
        L"Axis=32782",
        L"-",
        L"Background Color ...=32783",
        L"Face Color ...=32784",
        L"-",
        L"Transparentize=32785",
        L")",
        L"(View Point",
        L"Left=32791",
        L"Right=32792",
        L"Up=32793",
        L"Down=32794",
        L"-",
        L"Spin Left=32795",
        L"Spin Right=32796",
        L"Spin Up=32797",
        L"Spin Down=32798",
        L"-",
        L"Zoom Up=32801",
        L"Zoom Down=32802",
        L"-",
        L"Reset=32790",
        L")",
        L"(Misc",
        L"RoundBrilliant=32786",
        L"(Mouse",
        L"Enable Spin  (L Button)=32771",
        L"Enable Pan  (R Button)=32772",
        L"Enable Zoom  (Wheel)=32773",
        L"(Enable Pick  (M Button)",
        L"Point=32774",
        L"Line=32775",
        L"Face=32776",
        L")",
        L")",
        L"-",
        L"About ...=32789",
        L")",
    };
    EXPECT_EQ(listing, expected);
}

TEST(DialogData, AboutString)
{
    EXPECT_EQ(AfxLoadString(IDS_ABOUTBOX), L"&About Lapido...");
    EXPECT_TRUE(AfxLoadString(4711).empty());
}
