#include "platform/Menu.h"

#include "platform/Resource.h"
#include "platform/Wnd.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

struct CMenu::Item
{
    UINT kind = MF_STRING; // MF_STRING, MF_SEPARATOR or MF_POPUP
    CString caption;
    UINT nID = 0;
    bool bChecked = false;
    bool bGrayed = false;
    std::unique_ptr<CMenu> pSubMenu;
    QPointer<QAction> pAction;
};

namespace
{
// Captions are shown as given: an ampersand is a character, not a mnemonic.
QString DisplayText(const CString& caption)
{
    QString text = QString::fromStdWString(caption);
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return text;
}

void SendCommand(CWnd* pOwner, UINT nID)
{
    if (pOwner != nullptr)
        pOwner->SendCommand(nID);
}
} // namespace

CMenu::CMenu() = default;
CMenu::~CMenu() = default;

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const MenuTemplate* menu = AfxFindMenuTemplate(nIDResource);
    return menu != nullptr ? LoadMenu(*menu) : FALSE;
}

BOOL CMenu::LoadMenu(const MenuTemplate& menu)
{
    m_items.clear();
    // The menus being filled, innermost last; an unmatched EndPopup is ignored.
    std::vector<CMenu*> open{this};
    for (std::size_t i = 0; i < menu.itemCount; ++i)
    {
        const MenuItemTemplate& entry = menu.items[i];
        CMenu* target = open.back();
        switch (entry.kind)
        {
        case MenuItemKind::Popup:
        {
            auto item = std::make_unique<Item>();
            item->kind = MF_POPUP;
            item->caption = entry.caption != nullptr ? entry.caption : L"";
            item->pSubMenu = std::make_unique<CMenu>();
            CMenu* sub = item->pSubMenu.get();
            target->m_items.push_back(std::move(item));
            open.push_back(sub);
            break;
        }
        case MenuItemKind::EndPopup:
            if (open.size() > 1)
                open.pop_back();
            break;
        case MenuItemKind::Separator:
            target->AppendMenu(MF_SEPARATOR);
            break;
        case MenuItemKind::Item:
            target->AppendMenu(MF_STRING, entry.id, entry.caption);
            break;
        }
    }
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* lpszNewItem)
{
    auto item = std::make_unique<Item>();
    if (nFlags & MF_SEPARATOR)
    {
        item->kind = MF_SEPARATOR;
    }
    else
    {
        item->kind = MF_STRING;
        item->nID = static_cast<UINT>(nIDNewItem);
        item->caption = lpszNewItem != nullptr ? lpszNewItem : L"";
        item->bChecked = (nFlags & MF_CHECKED) != 0;
        item->bGrayed = (nFlags & (MF_GRAYED | MF_DISABLED)) != 0;
    }
    m_items.push_back(std::move(item));
    return TRUE;
}

CMenu::Item* CMenu::FindItem(UINT nID, UINT nFlags) const
{
    if (nFlags & MF_BYPOSITION)
        return nID < m_items.size() ? m_items[nID].get() : nullptr;
    for (const auto& item : m_items)
    {
        if (item->kind == MF_STRING && item->nID == nID)
            return item.get();
        if (item->pSubMenu)
            if (Item* found = item->pSubMenu->FindItem(nID, nFlags))
                return found;
    }
    return nullptr;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    Item* item = FindItem(nIDCheckItem, nCheck & MF_BYPOSITION);
    if (item == nullptr || item->kind == MF_SEPARATOR)
        return kMenuItemNotFound;
    const UINT previous = item->bChecked ? MF_CHECKED : MF_UNCHECKED;
    item->bChecked = (nCheck & MF_CHECKED) != 0;
    ApplyCheck(*item);
    return previous;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    const Item* item = FindItem(nID, nFlags & MF_BYPOSITION);
    if (item == nullptr)
        return kMenuItemNotFound;
    UINT state = item->kind == MF_STRING ? 0 : item->kind;
    if (item->bChecked)
        state |= MF_CHECKED;
    if (item->bGrayed)
        state |= MF_GRAYED;
    return state;
}

int CMenu::GetMenuItemCount() const
{
    return static_cast<int>(m_items.size());
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || nPos >= GetMenuItemCount())
        return kMenuItemNotFound;
    const Item& item = *m_items[static_cast<std::size_t>(nPos)];
    return item.kind == MF_POPUP ? kMenuItemNotFound : item.nID;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    if (nPos < 0 || nPos >= GetMenuItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(nPos)]->pSubMenu.get();
}

CString CMenu::GetMenuString(UINT nIDItem, UINT nFlags) const
{
    const Item* item = FindItem(nIDItem, nFlags & MF_BYPOSITION);
    return item != nullptr ? item->caption : CString();
}

void CMenu::ApplyCheck(Item& item) const
{
    QAction* action = item.pAction;
    if (action == nullptr)
        return;
    // Only a checked item is checkable, so an unchecked one shows no empty box.
    action->setCheckable(item.bChecked);
    action->setChecked(item.bChecked);
}

void CMenu::BuildMenuBar(QMenuBar* pBar, CWnd* pOwner)
{
    pBar->setNativeMenuBar(false);
    for (auto& item : m_items)
    {
        if (item->kind == MF_POPUP)
        {
            QMenu* popup = pBar->addMenu(DisplayText(item->caption));
            item->pAction = popup->menuAction();
            item->pSubMenu->BuildPopup(popup, pOwner);
        }
        else if (item->kind == MF_SEPARATOR)
        {
            item->pAction = pBar->addSeparator();
        }
        else
        {
            // A command directly on the bar.
            QAction* action = pBar->addAction(DisplayText(item->caption));
            item->pAction = action;
            const UINT nID = item->nID;
            QObject::connect(action, &QAction::triggered, pBar,
                             [pOwner, nID] { SendCommand(pOwner, nID); });
            ApplyCheck(*item);
        }
    }
}

void CMenu::BuildPopup(QMenu* pMenu, CWnd* pOwner)
{
    for (auto& item : m_items)
    {
        if (item->kind == MF_POPUP)
        {
            QMenu* popup = pMenu->addMenu(DisplayText(item->caption));
            item->pAction = popup->menuAction();
            item->pSubMenu->BuildPopup(popup, pOwner);
            continue;
        }
        if (item->kind == MF_SEPARATOR)
        {
            item->pAction = pMenu->addSeparator();
            continue;
        }
        QAction* action = pMenu->addAction(DisplayText(item->caption));
        action->setEnabled(!item->bGrayed);
        action->setShortcutContext(Qt::WidgetShortcut);
        item->pAction = action;
        Item* raw = item.get();
        QObject::connect(action, &QAction::triggered, pMenu,
                         [this, raw, pOwner]
                         {
                             // Qt toggles a checkable action when it is chosen; the mark is the
                             // menu's to keep.
                             ApplyCheck(*raw);
                             SendCommand(pOwner, raw->nID);
                         });
        ApplyCheck(*item);
    }
}

QAction* CMenu::FindAction(UINT nID) const
{
    const Item* item = FindItem(nID, MF_BYCOMMAND);
    return item != nullptr ? item->pAction.data() : nullptr;
}
