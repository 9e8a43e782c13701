// The dialog templates, the menu and the string table as data: the rules they must keep.
// What the window built from them shows is checked on the real window (tests/ui).

#include "platform/Controls.h"
#include "platform/Resource.h"
#include "platform/Styles.h"
#include "res/Version.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
using K = ControlKind;

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
    ASSERT_EQ(tmpl->itemCount, 3u);
    EXPECT_EQ(tmpl->items[0].kind, K::Icon);
    EXPECT_EQ(tmpl->items[0].resourceId, UINT(IDR_MAINFRAME));
    EXPECT_EQ(std::wstring(tmpl->items[1].text), L"Facetta, Version " LAPIDO_VERSION);
    EXPECT_EQ(tmpl->items[2].id, UINT(IDOK));
    EXPECT_EQ(tmpl->items[2].kind, K::DefPushButton);
    EXPECT_TRUE(tmpl->items[1].style & SS_NOPREFIX);
    EXPECT_TRUE(tmpl->items[2].style & WS_GROUP);
}

// What the built menu shows is checked on the real window; here, what any menu must keep:
// popups balanced, one item per command, captions without mnemonics or accelerators.
TEST(DialogData, ViewMenuIsWellFormed)
{
    const MenuTemplate* menu = AfxFindMenuTemplate(IDR_MENU_VIEW_SHADING_3D);
    ASSERT_NE(menu, nullptr);
    int depth = 0;
    std::set<UINT> ids;
    for (std::size_t i = 0; i < menu->itemCount; ++i)
    {
        const MenuItemTemplate& item = menu->items[i];
        switch (item.kind)
        {
        case MenuItemKind::Popup:
            ++depth;
            break;
        case MenuItemKind::EndPopup:
            --depth;
            ASSERT_GE(depth, 0);
            break;
        case MenuItemKind::Separator:
            break;
        case MenuItemKind::Item:
            EXPECT_TRUE(ids.insert(item.id).second) << item.id;
            EXPECT_EQ(std::wstring(item.caption).find(L'&'), std::wstring::npos);
            EXPECT_EQ(std::wstring(item.caption).find(L'\t'), std::wstring::npos);
            break;
        }
    }
    EXPECT_EQ(depth, 0);
}

TEST(DialogData, AboutString)
{
    EXPECT_EQ(AfxLoadString(IDS_ABOUTBOX), L"&About Lapido...");
    EXPECT_TRUE(AfxLoadString(4711).empty());
}
