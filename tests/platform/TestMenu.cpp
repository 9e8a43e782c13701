// Menus from the menu resource: the bar's popups and submenus, check marks kept by command
// id, and choosing an item as a command through the owner's message map.

#include "ProbeDialog.h"
#include "tests/support/DialogHost.h"

#include "platform/Menu.h"
#include "platform/Resource.h"
#include "res/resource.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace
{
// Captions as the bar shows them, popups first-level, separators as "-".
QStringList Shown(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
} // namespace

TEST(Menu, BarShowsTheResourceWithItsSubmenus)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    auto* bar = dlg.GetWidget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Shown(bar->actions()), (QStringList{"Render", "View Point", "Misc"}));
    QMenu* misc = bar->actions()[2]->menu();
    ASSERT_NE(misc, nullptr);
    EXPECT_EQ(Shown(misc->actions()), (QStringList{"RoundBrilliant", "Mouse", "-", "About ..."}));
    QMenu* mouse = misc->actions()[1]->menu();
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(Shown(mouse->actions()),
              (QStringList{"Enable Spin  (L Button)", "Enable Pan  (R Button)",
                           "Enable Zoom  (Wheel)", "Enable Pick  (M Button)"}));
    QMenu* pick = mouse->actions()[3]->menu();
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(Shown(pick->actions()), (QStringList{"Point", "Line", "Face"}));
    // Nothing is marked, greyed or given a shortcut by the resource.
    for (QAction* a : bar->findChildren<QAction*>())
    {
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
    }

    CMenu* menu = dlg.GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemCount(), 3);
    EXPECT_EQ(menu->GetMenuItemID(0), kMenuItemNotFound); // a popup
    EXPECT_EQ(menu->GetSubMenu(0)->GetMenuItemID(0), UINT(ID_RENDER_POINT));
    EXPECT_EQ(menu->GetSubMenu(0)->GetMenuItemID(3), 0u); // a separator
    EXPECT_EQ(menu->GetMenuString(ID_PICK_LINE, MF_BYCOMMAND), L"Line");
}

TEST(Menu, CheckMarksByCommandIdReportThePreviousState)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    CMenu* menu = dlg.GetMenu();
    ASSERT_NE(menu, nullptr);
    struct Step
    {
        UINT id;
        UINT check;
        UINT previous;
    } steps[] = {
        {ID_MOUSE_ENABLE_SPIN, MF_BYCOMMAND | MF_CHECKED, MF_UNCHECKED},
        {ID_MOUSE_ENABLE_SPIN, MF_BYCOMMAND | MF_CHECKED, MF_CHECKED},
        {ID_PICK_FACE, MF_BYCOMMAND | MF_CHECKED, MF_UNCHECKED}, // two submenus deep
        {ID_PICK_POINT, MF_BYCOMMAND | MF_CHECKED, MF_UNCHECKED},
        {ID_MOUSE_ENABLE_SPIN, MF_BYCOMMAND | MF_UNCHECKED, MF_CHECKED},
        {ID_RENDER_RAY_TRACE, MF_BYCOMMAND | MF_UNCHECKED, MF_UNCHECKED},
        {4711, MF_BYCOMMAND | MF_CHECKED, kMenuItemNotFound},
    };
    for (const Step& s : steps)
        EXPECT_EQ(menu->CheckMenuItem(s.id, s.check), s.previous) << s.id;
    EXPECT_EQ(menu->GetMenuState(ID_PICK_FACE, MF_BYCOMMAND), UINT(MF_CHECKED));
    EXPECT_EQ(menu->GetMenuState(ID_PICK_POINT, MF_BYCOMMAND), UINT(MF_CHECKED));
    EXPECT_EQ(menu->GetMenuState(ID_MOUSE_ENABLE_SPIN, MF_BYCOMMAND), UINT(MF_UNCHECKED));
    // The bar shows the marks.
    EXPECT_TRUE(host.MenuAction(ID_PICK_FACE)->isChecked());
    EXPECT_TRUE(host.MenuAction(ID_PICK_POINT)->isChecked());
    EXPECT_FALSE(host.MenuAction(ID_MOUSE_ENABLE_SPIN)->isChecked());
}

TEST(Menu, ChoosingAnItemSendsItsCommandAndLeavesTheMarkAlone)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    ASSERT_TRUE(host.ChooseMenu(ID_RENDER_POINT));
    ASSERT_TRUE(host.ChooseMenu(ID_PICK_FACE));
    EXPECT_EQ(dlg.Count(WM_COMMAND, ID_RENDER_POINT), 1);
    EXPECT_EQ(dlg.Count(WM_COMMAND, ID_PICK_FACE), 1);
    // Only CheckMenuItem changes a mark: choosing an item never does.
    EXPECT_FALSE(host.MenuAction(ID_RENDER_POINT)->isChecked());
    dlg.GetMenu()->CheckMenuItem(ID_PICK_FACE, MF_CHECKED);
    host.ChooseMenu(ID_PICK_FACE);
    EXPECT_TRUE(host.MenuAction(ID_PICK_FACE)->isChecked());
    // An item without a handler does nothing, and shows no mark.
    ASSERT_TRUE(host.ChooseMenu(ID_RENDER_RAY_TRACE));
    EXPECT_FALSE(host.MenuAction(ID_RENDER_RAY_TRACE)->isChecked());
    EXPECT_EQ(dlg.Count(WM_COMMAND), 3);
}

TEST(Menu, AppendedItemsAndAmpersandsShowAsGiven)
{
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(4711u));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 0x10, L"&About Lapido...");
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION), UINT(MF_SEPARATOR));
    EXPECT_EQ(menu.GetMenuString(0x10, MF_BYCOMMAND), L"&About Lapido...");
    QMenu popup;
    menu.BuildPopup(&popup, nullptr);
    // An ampersand is a character, not a mnemonic: Qt is given it doubled.
    EXPECT_EQ(popup.actions()[1]->text(), QStringLiteral("&&About Lapido..."));
}
