#pragma once
// Resources as data: dialog templates, menus, strings and images, handed to the platform
// once at start-up as one table (the application's res/ module provides it).

#include "platform/MessageMap.h"
#include "platform/Types.h"

#include <cstddef>

enum class ControlKind
{
    PushButton,
    DefPushButton,
    Edit,
    UpDown,
    Label,
    CheckBox,
    Frame, // static frame; the main dialog's becomes the 3D view
    Icon,  // static icon; its resourceId names the icon
};

// One control of a dialog template; rectangle in dialog units.
struct DialogItemTemplate
{
    UINT id;
    ControlKind kind;
    const wchar_t* text;
    short x, y, cx, cy;
    DWORD style;
    UINT resourceId; // icon of a ControlKind::Icon, otherwise 0
    // What assistive technology calls the control where neither its text nor its row's
    // label says it; nullptr for none.
    const wchar_t* accessibleName = nullptr;
};

struct DialogTemplate
{
    UINT id;
    const wchar_t* caption;
    const wchar_t* fontFace;
    int pointSize;
    short cx, cy; // dialog units
    DWORD style;
    DWORD exStyle;
    UINT menuId; // 0 for none
    const DialogItemTemplate* items;
    std::size_t itemCount;
};

// Menus are flat lists: a Popup opens a submenu that the next EndPopup closes.
enum class MenuItemKind
{
    Popup,
    EndPopup,
    Item,
    Separator,
};

struct MenuItemTemplate
{
    MenuItemKind kind;
    const wchar_t* caption;
    UINT id;
};

struct MenuTemplate
{
    UINT id;
    const MenuItemTemplate* items;
    std::size_t itemCount;
};

struct StringResource
{
    UINT id;
    const wchar_t* text;
};

enum class ImageKind
{
    Icon,   // one entry per size, all with the icon's id
    Cursor, // hot spot in hotX, hotY
    Bitmap, // e.g. a toolbar strip
};

struct ImageResource
{
    UINT id;
    ImageKind kind;
    int width;
    int height;
    int hotX;
    int hotY;
    const char* const* xpm; // the picture in XPM form
};

struct ResourceTable
{
    const DialogTemplate* dialogs;
    std::size_t dialogCount;
    const MenuTemplate* menus;
    std::size_t menuCount;
    const StringResource* strings;
    std::size_t stringCount;
    const ImageResource* images;
    std::size_t imageCount;
};

// The application's resources; set once before any window is created.
void AfxSetResourceTable(const ResourceTable* pTable);
const ResourceTable* AfxGetResourceTable();

const DialogTemplate* AfxFindDialogTemplate(UINT nID);
const MenuTemplate* AfxFindMenuTemplate(UINT nID);
// The string's text, or the empty string when there is none.
CString AfxLoadString(UINT nID);
// First image of that id and kind (for an icon: the one of that width if any), or nullptr.
const ImageResource* AfxFindImage(UINT nID, ImageKind kind, int width = 0);
