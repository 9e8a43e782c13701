#pragma once
// What tests and benchmarks reach and the program never does: a dialog hosted modelessly and
// how it ended, the template and units it was built with, the toolbar's buttons, the menu's
// actions and a region as Qt objects, a press of an up-down arrow. Only targets that link
// platform_testing may include it.

#ifndef LAPIDO_PLATFORM_TESTING
#error "platform/testing/Testing.h is for test and benchmark targets (link platform_testing)"
#endif

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/ToolBar.h"

#include <QRegion>
#include <QToolButton>

class QAction;

struct PlatformTesting
{
    static BOOL CreateModeless(CDialog& dlg) { return dlg.Create(); }
    static bool HasEnded(const CDialog& dlg) { return dlg.m_bEnded; }
    static bool IsInModalLoop(const CDialog& dlg) { return dlg.m_bInModalLoop; }
    static const DialogTemplate* TemplateOf(const CDialog& dlg) { return dlg.m_pTemplate; }
    static const DialogBaseUnits& BaseUnitsOf(const CDialog& dlg) { return dlg.m_baseUnits; }
    static UINT DefaultButtonOf(const CDialog& dlg) { return dlg.GetDefID(); }
    static QToolButton* ButtonWidget(const CToolBar& bar, int nIndex)
    {
        return bar.ButtonWidget(nIndex);
    }
    static void GetButtonInfo(const CToolBar& bar, int nIndex, UINT& nID, UINT& nStyle, int& iImage)
    {
        bar.GetButtonInfo(nIndex, nID, nStyle, iImage);
    }
    static const QRegion& RegionOf(const CRgn& rgn) { return rgn.GetRegion(); }
    static QAction* MenuAction(const CMenu& menu, UINT nID) { return menu.FindAction(nID); }
    static void PressArrow(CSpinButtonCtrl& spin, int iDelta) { spin.NotifyDelta(iDelta); }
    static CWnd* BuddyOf(const CSpinButtonCtrl& spin) { return spin.m_pBuddy; }
};

// Creates the dialog without a modal loop, runs OnInitDialog and shows it.
inline BOOL CreateModeless(CDialog& dlg)
{
    return PlatformTesting::CreateModeless(dlg);
}
// Whether EndDialog has run since the window was created.
inline bool HasEnded(const CDialog& dlg)
{
    return PlatformTesting::HasEnded(dlg);
}
inline bool IsInModalLoop(const CDialog& dlg)
{
    return PlatformTesting::IsInModalLoop(dlg);
}
// The template the dialog was created from; nullptr before.
inline const DialogTemplate* TemplateOf(const CDialog& dlg)
{
    return PlatformTesting::TemplateOf(dlg);
}
inline const DialogBaseUnits& BaseUnitsOf(const CDialog& dlg)
{
    return PlatformTesting::BaseUnitsOf(dlg);
}
// Id of the default push button: the last one of the template.
inline UINT DefaultButtonOf(const CDialog& dlg)
{
    return PlatformTesting::DefaultButtonOf(dlg);
}

// The region as Qt holds it.
inline const QRegion& RegionOf(const CRgn& rgn)
{
    return PlatformTesting::RegionOf(rgn);
}

// The Qt button of an index, nullptr when out of range.
inline QToolButton* ButtonWidget(const CToolBar& bar, int nIndex)
{
    return PlatformTesting::ButtonWidget(bar, nIndex);
}
// Id, style and image of a button; 0, 0 and -1 out of range.
inline void GetButtonInfo(const CToolBar& bar, int nIndex, UINT& nID, UINT& nStyle, int& iImage)
{
    PlatformTesting::GetButtonInfo(bar, nIndex, nID, nStyle, iImage);
}
// Clicks the button's widget as the user would; false when out of range.
inline bool ClickButton(const CToolBar& bar, int nIndex)
{
    QToolButton* button = ButtonWidget(bar, nIndex);
    if (button == nullptr)
        return false;
    button->click();
    return true;
}

// The Qt action of an item by command id (submenus searched); nullptr if none.
inline QAction* MenuAction(const CMenu& menu, UINT nID)
{
    return PlatformTesting::MenuAction(menu, nID);
}

// What a press of the up arrow (iDelta -1) or the down arrow (+1) does.
inline void PressArrow(CSpinButtonCtrl& spin, int iDelta)
{
    PlatformTesting::PressArrow(spin, iDelta);
}
inline CWnd* BuddyOf(const CSpinButtonCtrl& spin)
{
    return PlatformTesting::BuddyOf(spin);
}
