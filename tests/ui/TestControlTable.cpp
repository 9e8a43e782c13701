// The main window as the user meets it: every control of the panel and the buttons with its
// kind, caption, size and tab stop, the tab order, and the menu bar as built.
#include "DialogFixture.h"

#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Resource.h"
#include "platform/testing/Testing.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

#include <set>
#include <string>
#include <vector>

namespace
{
using ControlTable = DialogTest;
using K = ControlKind;

struct ExpectedItem
{
    UINT id;
    K kind;
    const wchar_t* text;
    short x, y, cx, cy; // dialog units
    bool tabStop;
};

// The main window, in tab order; sizes in dialog units.
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

bool IsKind(QWidget* w, K kind)
{
    switch (kind)
    {
    case K::PushButton:
    case K::DefPushButton:
        return qobject_cast<QPushButton*>(w) != nullptr;
    case K::CheckBox:
        return qobject_cast<QCheckBox*>(w) != nullptr;
    case K::Edit:
        return qobject_cast<QLineEdit*>(w) != nullptr;
    case K::Label:
        return qobject_cast<QLabel*>(w) != nullptr;
    case K::Frame:
    case K::UpDown:
    case K::Icon:
        return w != nullptr;
    }
    return false;
}

QString Caption(QWidget* w)
{
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return QString();
}

// "(" opens a popup, ")" closes it, "-" is a separator, an item reads "caption=command".
void ListMenu(QMenu* qmenu, CMenu* menu, std::vector<std::wstring>& listing)
{
    const QList<QAction*> actions = qmenu->actions();
    for (int i = 0; i < actions.size(); ++i)
    {
        QAction* a = actions[i];
        if (a->isSeparator())
            listing.push_back(L"-");
        else if (a->menu() != nullptr)
        {
            listing.push_back(L"(" + a->text().toStdWString());
            ListMenu(a->menu(), menu->GetSubMenu(i), listing);
            listing.push_back(L")");
        }
        else
            listing.push_back(a->text().toStdWString() + L"=" +
                              std::to_wstring(menu->GetMenuItemID(i)));
    }
}
} // namespace

TEST_F(ControlTable, EveryControlAsCreated)
{
    const DialogBaseUnits& units = BaseUnitsOf(Dlg());
    std::vector<UINT> tabStops;
    for (const ExpectedItem& e : kMain)
    {
        SCOPED_TRACE(testing::Message() << "control " << e.id);
        CWnd* control = Dlg().GetDlgItem(static_cast<int>(e.id));
        ASSERT_NE(control, nullptr);
        QWidget* w = control->GetWidget();
        EXPECT_TRUE(IsKind(w, e.kind));
        if (e.kind != K::Frame && e.kind != K::UpDown)
        {
            EXPECT_EQ(Caption(w).toStdWString(), std::wstring(e.text));
        }
        // At least its rectangle; captions wider in the stand-in font may widen it.
        const CRect size = MapDialogRect(units, CRect(0, 0, e.cx, e.cy));
        EXPECT_GE(w->width(), size.Width());
        EXPECT_EQ(w->height(), size.Height());
        EXPECT_EQ((w->focusPolicy() & Qt::TabFocus) != 0, e.tabStop);
        if (e.tabStop && w->isVisible() && w->isEnabled())
            tabStops.push_back(e.id);
    }

    // Tab visits the tab stops in the order of the table.
    std::vector<UINT> chain;
    QWidget* top = Dlg().GetWidget();
    std::set<QWidget*> seen;
    for (QWidget* w = top->nextInFocusChain(); w != top && seen.insert(w).second;
         w = w->nextInFocusChain())
    {
        CWnd* control = CWnd::FromWidget(w);
        if (control == nullptr || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() ||
            !w->isEnabled())
            continue;
        const UINT id = control->GetDlgCtrlID();
        for (const ExpectedItem& e : kMain)
            if (e.id == id)
                chain.push_back(id);
    }
    EXPECT_EQ(chain, tabStops);
}

TEST_F(ControlTable, MenuBarAsBuilt)
{
    auto* bar = Dlg().GetWidget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    CMenu* menu = Dlg().GetMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::wstring> listing;
    const QList<QAction*> popups = bar->actions();
    for (int i = 0; i < popups.size(); ++i)
    {
        ASSERT_NE(popups[i]->menu(), nullptr);
        listing.push_back(L"(" + popups[i]->text().toStdWString());
        ListMenu(popups[i]->menu(), menu->GetSubMenu(i), listing);
        listing.push_back(L")");
    }
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
