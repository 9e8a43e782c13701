#include "res/Resources.h"
#include "res/resource.h"

namespace
{
using K = MenuItemKind;

// The main dialog's menu bar. Captions are exact, the double blanks included; no item has a
// mnemonic, an accelerator or an initial check mark.
const MenuItemTemplate kViewShading3D[] = {
    {K::Popup, L"Render", 0},
    {K::Item, L"Point", ID_RENDER_POINT},
    {K::Item, L"Line", ID_RENDER_LINE},
    {K::Item, L"Face", ID_RENDER_FACE},
    {K::Separator, nullptr, 0},
    {K::Item, L"Ray Trace", ID_RENDER_RAY_TRACE},
    {K::Item, L"Axis", ID_RENDER_AXIS},
    {K::Separator, nullptr, 0},
    {K::Item, L"Background Color ...", ID_RENDER_BACKGROUND_COLOR},
    {K::Item, L"Face Color ...", ID_RENDER_FACE_COLOR},
    {K::Separator, nullptr, 0},
    {K::Item, L"Transparentize", ID_RENDER_TRANSPARENTIZE},
    {K::EndPopup, nullptr, 0},

    {K::Popup, L"View Point", 0},
    {K::Item, L"Left", ID_VIEW_POINT_LEFT},
    {K::Item, L"Right", ID_VIEW_POINT_RIGHT},
    {K::Item, L"Up", ID_VIEW_POINT_UP},
    {K::Item, L"Down", ID_VIEW_POINT_DOWN},
    {K::Separator, nullptr, 0},
    {K::Item, L"Spin Left", ID_VIEW_POINT_SPIN_LEFT},
    {K::Item, L"Spin Right", ID_VIEW_POINT_SPIN_RIGHT},
    {K::Item, L"Spin Up", ID_VIEW_POINT_SPIN_UP},
    {K::Item, L"Spin Down", ID_VIEW_POINT_SPIN_DOWN},
    {K::Separator, nullptr, 0},
    {K::Item, L"Zoom Up", ID_VIEW_POINT_ZOOM_UP},
    {K::Item, L"Zoom Down", ID_VIEW_POINT_ZOOM_DOWN},
    {K::Separator, nullptr, 0},
    {K::Item, L"Reset", ID_VIEW_POINT_RESET},
    {K::EndPopup, nullptr, 0},

    {K::Popup, L"Misc", 0},
    {K::Item, L"RoundBrilliant", ID_MISC_ROUND_BRILLIANT},
    {K::Popup, L"Mouse", 0},
    {K::Item, L"Enable Spin  (L Button)", ID_MOUSE_ENABLE_SPIN},
    {K::Item, L"Enable Pan  (R Button)", ID_MOUSE_ENABLE_PAN},
    {K::Item, L"Enable Zoom  (Wheel)", ID_MOUSE_ENABLE_ZOOM},
    {K::Popup, L"Enable Pick  (M Button)", 0},
    {K::Item, L"Point", ID_PICK_POINT},
    {K::Item, L"Line", ID_PICK_LINE},
    {K::Item, L"Face", ID_PICK_FACE},
    {K::EndPopup, nullptr, 0},
    {K::EndPopup, nullptr, 0},
    {K::Separator, nullptr, 0},
    {K::Item, L"About ...", ID_MISC_ABOUT},
    {K::EndPopup, nullptr, 0},
};
} // namespace

const MenuTemplate g_menuTemplates[] = {
    {IDR_MENU_VIEW_SHADING_3D, kViewShading3D, sizeof(kViewShading3D) / sizeof(kViewShading3D[0])},
};
const std::size_t g_menuTemplateCount = sizeof(g_menuTemplates) / sizeof(g_menuTemplates[0]);
