#pragma once
// CMenu: a menu bar or popup built from a menu resource, with check marks kept by the menu
// itself. Choosing an item sends WM_COMMAND with its id to the window that owns the menu;
// the item's check mark changes only through CheckMenuItem, never by being chosen.

#include "platform/Types.h"

#include <memory>
#include <vector>

class CWnd;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
struct MenuTemplate;

// Menu flags.
enum : UINT
{
    MF_BYCOMMAND = 0x0000,
    MF_BYPOSITION = 0x0400,
    MF_STRING = 0x0000,
    MF_SEPARATOR = 0x0800,
    MF_GRAYED = 0x0001,
    MF_DISABLED = 0x0002,
    MF_UNCHECKED = 0x0000,
    MF_CHECKED = 0x0008,
    MF_POPUP = 0x0010,
};
// What CheckMenuItem and GetMenuState answer for an item that does not exist.
constexpr UINT kMenuItemNotFound = 0xFFFFFFFF;

class CMenu
{
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Builds the items of a menu resource: its top-level entries are this menu's items and
    // each Popup entry opens a submenu. FALSE when there is no such resource.
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(const MenuTemplate& menu);

    // Sets or clears the check mark of an item (MF_BYCOMMAND searches the submenus too) and
    // returns its previous state, MF_CHECKED or MF_UNCHECKED, or kMenuItemNotFound.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    // MF_CHECKED, MF_SEPARATOR, MF_POPUP flags of an item, or kMenuItemNotFound.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const wchar_t* lpszNewItem = nullptr);

    int GetMenuItemCount() const;
    // The id of the item at nPos; 0 for a separator, kMenuItemNotFound for a popup.
    UINT GetMenuItemID(int nPos) const;
    CMenu* GetSubMenu(int nPos) const;
    // Caption of an item, as given (no mnemonic processing).
    CString GetMenuString(UINT nIDItem, UINT nFlags) const;

    // Shows the menu in a menu bar (for the top menu) or in a popup, sending its commands to
    // pOwner. The widgets belong to their Qt parents; the menu forgets them when they go.
    void BuildMenuBar(QMenuBar* pBar, CWnd* pOwner);
    void BuildPopup(QMenu* pMenu, CWnd* pOwner);

private:
    friend struct PlatformTesting;
    QAction* FindAction(UINT nID) const;
    struct Item;
    Item* FindItem(UINT nID, UINT nFlags) const;
    void ApplyCheck(Item& item) const;
    std::vector<std::unique_ptr<Item>> m_items;
};
