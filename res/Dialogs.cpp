#include "res/Resources.h"
#include "res/Version.h"
#include "res/resource.h"

#include "platform/Styles.h"

namespace
{
constexpr UINT kNoId = static_cast<UINT>(IDC_STATIC);

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefButton = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kReadOnlyEdit = kEdit | ES_READONLY;
constexpr DWORD kUpDown = WS_VISIBLE | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kCheckBox = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

using K = ControlKind;

// The main dialog, in tab order.
const DialogItemTemplate kMainItems[] = {
    {IDC_BUTTON_UPDATE, K::DefPushButton, L"Update", 316, 194, 80, 14, kDefButton, 0},
    {IDC_BUTTON_DEFAULT, K::PushButton, L"Default", 316, 177, 80, 14, kButton, 0},
    {IDC_BUTTON_RESET_VIEW_POINT, K::PushButton, L"Reset View Point", 216, 177, 80, 14, kButton, 0},
    {IDC_EDIT_TABLE, K::Edit, L"", 216, 24, 40, 14, kEdit, 0},
    {IDC_SPIN_TABLE, K::UpDown, L"", 256, 24, 11, 14, kUpDown, 0},
    {IDC_STATIC_TABLE, K::Label, L"Table Semi-Diameter", 269, 27, 66, 8, kLabel, 0},
    {IDC_EDIT_DIAMETER, K::Edit, L"", 216, 40, 40, 14, kEdit, 0},
    {IDC_SPIN_DIAMETER, K::UpDown, L"", 256, 40, 11, 14, kUpDown, 0},
    {IDC_STATIC_DIAMETER, K::Label, L"Diamond Semi-Diamter", 269, 43, 72, 8, kLabel, 0},
    {IDC_EDIT_CROWN_ANGLE, K::Edit, L"", 216, 56, 40, 14, kEdit, 0},
    {IDC_SPIN_CROWN_ANGLE, K::UpDown, L"", 256, 56, 11, 14, kUpDown, 0},
    {IDC_STATIC_CROWN_ANGLE, K::Label, L"Crown Angle in degree", 269, 59, 74, 8, kLabel, 0},
    {IDC_EDIT_UPPER_GIRDLE_POINT, K::Edit, L"", 216, 75, 40, 14, kEdit, 0},
    {IDC_SPIN_UPPER_GIRDLE_POINT, K::UpDown, L"", 256, 75, 11, 14, kUpDown, 0},
    {IDC_STATIC_UPPER_GIRDLE_POINT, K::Label,
     L"Upper girdle facet point\n(Adjoin Point of Star and Upper girdle)", 269, 74, 128, 18, kLabel,
     0},
    {IDC_EDIT_UPPER_GIRDLE_ANGLE, K::Edit, L"", 216, 93, 40, 14, kReadOnlyEdit, 0},
    {IDC_STATIC_UPPER_GIRDLE_ANGLE, K::Label, L"Upper girdle facet angle in degree", 269, 96, 110,
     8, kLabel, 0},
    {IDC_EDIT_PAVILION_ANGLE, K::Edit, L"", 216, 109, 40, 14, kEdit, 0},
    {IDC_SPIN_PAVILION_ANGLE, K::UpDown, L"", 256, 109, 11, 14, kUpDown, 0},
    {IDC_STATIC_PAVILION_ANGLE, K::Label, L"Pavilion Angle in degree", 269, 112, 77, 8, kLabel, 0},
    {IDC_EDIT_LOWER_GIRDLE_POINT, K::Edit, L"", 216, 125, 40, 14, kEdit, 0},
    {IDC_SPIN_LOWER_GIRDLE_POINT, K::UpDown, L"", 256, 125, 11, 14, kUpDown, 0},
    {IDC_STATIC_LOWER_GIRDLE_POINT, K::Label, L"Lower girdle facet point", 269, 128, 76, 8, kLabel,
     0},
    {IDC_EDIT_LOWER_GIRDLE_ANGLE, K::Edit, L"", 216, 141, 40, 14, kReadOnlyEdit, 0},
    {IDC_STATIC_LOWER_GIRDLE_ANGLE, K::Label, L"Lower girdle facet angle", 269, 144, 78, 8, kLabel,
     0},
    {IDC_EDIT_GIRDLE_THICKNESS, K::Edit, L"", 216, 157, 40, 14, kEdit, 0},
    {IDC_SPIN_GIRDLE_THICKNESS, K::UpDown, L"", 256, 157, 11, 14, kUpDown, 0},
    {IDC_STATIC_GIRDLE_THICKNESS, K::Label, L"Girdle thickness", 269, 160, 50, 8, kLabel, 0},
    {IDC_CHECK_RENDER_FACETS, K::CheckBox, L"Render Facets", 10, 200, 63, 10, kCheckBox, 0},
    {IDC_CHECK_WIRE_FRAME, K::CheckBox, L"Wire Frame\n(Model: Assembled Triangles)", 10, 210, 124,
     20, kCheckBox | BS_MULTILINE, 0},
    {IDC_CHECK_TRANSPARENT, K::CheckBox, L"Transparent", 10, 231, 55, 10, kCheckBox, 0},
    // Never pressable: hidden and disabled, but the last default button, so Enter in an edit
    // presses nothing.
    {IDOK, K::DefPushButton, L"OK", 217, 231, 80, 14, WS_DISABLED | WS_TABSTOP | BS_DEFPUSHBUTTON,
     0},
    {IDCANCEL, K::PushButton, L"Exit", 316, 226, 80, 14, kButton, 0},
    {IDC_PICTURE, K::Frame, L"", 7, 24, 198, 172,
     WS_VISIBLE | WS_TABSTOP | SS_GRAYFRAME | SS_NOTIFY, 0, L"3D view"},
    {IDC_BUTTON_FACET_COLOR, K::PushButton, L"Facet Color ...", 216, 194, 80, 14, kButton, 0},
    {IDC_BUTTON_BACKGROUND_COLOR, K::PushButton, L"Background Color ...", 216, 211, 80, 14, kButton,
     0},
    {IDC_STATIC_MOUSE_HELP, K::Label, L"Mouse\n  L-Drag: Spin\n  R-Drag: Move\n  Wheel: Zoom", 148,
     202, 60, 36, kLabel, 0},
};

const DialogItemTemplate kAboutItems[] = {
    {kNoId, K::Icon, L"", 14, 14, 20, 20, WS_VISIBLE | SS_ICON, IDR_MAINFRAME},
    {kNoId, K::Label, L"Facetta, Version " LAPIDO_VERSION, 42, 14, 180, 8, WS_VISIBLE | SS_NOPREFIX,
     0},
    {IDOK, K::DefPushButton, L"OK", 99, 47, 50, 14, kDefButton | WS_GROUP, 0},
};

constexpr DWORD kMainStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                             WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT;
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
} // namespace

const DialogTemplate g_dialogTemplates[] = {
    {IDD_ABOUTBOX, L"About Lapido", L"MS Shell Dlg", 8, 240, 68, kAboutStyle, 0, 0, kAboutItems,
     sizeof(kAboutItems) / sizeof(kAboutItems[0])},
    {IDD_LAPIDO_DIALOG, L"Facetta", L"MS Shell Dlg", 8, 401, 246, kMainStyle, WS_EX_APPWINDOW,
     IDR_MENU_VIEW_SHADING_3D, kMainItems, sizeof(kMainItems) / sizeof(kMainItems[0])},
};
const std::size_t g_dialogTemplateCount = sizeof(g_dialogTemplates) / sizeof(g_dialogTemplates[0]);
