// Dialogs built from their templates: every item becomes a control of its kind, with its
// text, styles and the pixel rectangle its dialog units give, in template tab order.

#include "ProbeDialog.h"
#include "tests/support/DialogHost.h"

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Resource.h"
#include "platform/Styles.h"
#include "platform/testing/Testing.h"
#include "res/Version.h"
#include "res/resource.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace
{
CRect ClientRectOf(const CDialog& dlg, const CWnd& control)
{
    CRect rect;
    control.GetWindowRect(&rect);
    dlg.ScreenToClient(&rect);
    return rect;
}

bool HasKind(QWidget* w, ControlKind kind)
{
    switch (kind)
    {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return qobject_cast<QPushButton*>(w) != nullptr;
    case ControlKind::CheckBox:
        return qobject_cast<QCheckBox*>(w) != nullptr;
    case ControlKind::Edit:
        return qobject_cast<QLineEdit*>(w) != nullptr;
    case ControlKind::Label:
    {
        auto* label = qobject_cast<QLabel*>(w);
        return label != nullptr && label->pixmap().isNull();
    }
    case ControlKind::Frame:
        return qobject_cast<QFrame*>(w) != nullptr && qobject_cast<QLabel*>(w) == nullptr;
    case ControlKind::UpDown:
        return w->findChild<QToolButton*>(QStringLiteral("up")) != nullptr &&
               w->findChild<QToolButton*>(QStringLiteral("down")) != nullptr;
    case ControlKind::Icon:
    {
        auto* label = qobject_cast<QLabel*>(w);
        return label != nullptr && !label->pixmap().isNull();
    }
    }
    return false;
}

bool IsTabStop(QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

// Every item of the template against the control the dialog made of it.
void ExpectControlsMatchTemplate(CDialog& dlg, const DialogTemplate& tmpl)
{
    const DialogBaseUnits& units = BaseUnitsOf(dlg);
    for (std::size_t i = 0; i < tmpl.itemCount; ++i)
    {
        const DialogItemTemplate& item = tmpl.items[i];
        if (item.id == static_cast<UINT>(IDC_STATIC))
            continue; // no id to find it by; the About box test looks at those
        SCOPED_TRACE(testing::Message() << "control " << item.id);
        CWnd* control = dlg.GetDlgItem(static_cast<int>(item.id));
        ASSERT_NE(control, nullptr);
        QWidget* w = control->GetWidget();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(control->GetDlgCtrlID(), item.id);
        EXPECT_TRUE(HasKind(w, item.kind));

        CString text;
        dlg.GetDlgItemText(static_cast<int>(item.id), text);
        if (item.kind != ControlKind::UpDown && item.kind != ControlKind::Frame)
        {
            EXPECT_EQ(text, CString(item.text));
        }

        const CRect expected =
            MapDialogRect(units, CRect(item.x, item.y, item.x + item.cx, item.y + item.cy));
        const CRect actual = ClientRectOf(dlg, *control);
        if (item.kind == ControlKind::Label || item.kind == ControlKind::CheckBox)
        {
            // Where the template puts it, widened if its text needs it, never cut off.
            EXPECT_EQ(actual.TopLeft(), expected.TopLeft());
            EXPECT_EQ(actual.Height(), expected.Height());
            EXPECT_GE(actual.Width(), expected.Width());
            const QFontMetrics metrics(w->font());
            for (const QString& line : QString::fromStdWString(item.text).split('\n'))
                EXPECT_LE(metrics.horizontalAdvance(line), actual.Width()) << line.toStdString();
        }
        else
        {
            EXPECT_EQ(actual, expected);
        }

        EXPECT_EQ(w->isVisibleTo(dlg.GetWidget()), (item.style & WS_VISIBLE) != 0);
        EXPECT_EQ(w->isEnabled(), (item.style & WS_DISABLED) == 0);
        EXPECT_EQ(IsTabStop(w), (item.style & WS_TABSTOP) != 0);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
        {
            EXPECT_EQ(edit->isReadOnly(), (item.style & ES_READONLY) != 0);
            EXPECT_EQ(edit->hasFrame(), (item.style & WS_BORDER) != 0);
        }
        if (auto* check = qobject_cast<QCheckBox*>(w); check != nullptr && check->isEnabled())
        {
            // The whole rectangle takes a click, beyond the end of the caption too.
            const bool wasChecked = check->isChecked();
            QTest::mouseClick(check, Qt::LeftButton, {},
                              QPoint(check->width() - 2, check->height() / 2));
            EXPECT_NE(check->isChecked(), wasChecked) << "a click at the rectangle's right end";
            check->setChecked(wasChecked);
        }
        if (auto* push = qobject_cast<QPushButton*>(w))
        {
            // Qt's own default-button handling would press it on Enter.
            EXPECT_FALSE(push->autoDefault());
            EXPECT_FALSE(push->isDefault());
        }
    }
}

std::vector<UINT> TabChain(CDialog& dlg)
{
    std::set<QWidget*> controls;
    const DialogTemplate& tmpl = *TemplateOf(dlg);
    for (std::size_t i = 0; i < tmpl.itemCount; ++i)
        if (CWnd* c = dlg.GetDlgItem(static_cast<int>(tmpl.items[i].id)))
            controls.insert(c->GetWidget());
    std::vector<UINT> chain;
    QWidget* start = nullptr;
    for (QWidget* w = dlg.GetWidget()->nextInFocusChain(); w != dlg.GetWidget();
         w = w->nextInFocusChain())
    {
        // What Tab visits: tab stops that can take the focus.
        if (controls.count(w) == 0 || !IsTabStop(w) || !w->isVisible() || !w->isEnabled())
            continue;
        if (w == start)
            break;
        if (start == nullptr)
            start = w;
        chain.push_back(CWnd::FromWidget(w)->GetDlgCtrlID());
    }
    return chain;
}
} // namespace

TEST(DialogTemplate, MainDialogControlsAreThoseOfTheTemplate)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    const DialogTemplate* tmpl = AfxFindDialogTemplate(IDD_LAPIDO_DIALOG);
    ASSERT_NE(tmpl, nullptr);
    ExpectControlsMatchTemplate(dlg, *tmpl);

    // Tab order is template order, over the tab stops only.
    std::vector<UINT> expected;
    for (std::size_t i = 0; i < tmpl->itemCount; ++i)
        if ((tmpl->items[i].style & WS_TABSTOP) && (tmpl->items[i].style & WS_VISIBLE) &&
            !(tmpl->items[i].style & WS_DISABLED))
            expected.push_back(tmpl->items[i].id);
    const std::vector<UINT> chain = TabChain(dlg);
    // The chain starts wherever Qt began it; rotate it to the template's first tab stop.
    ASSERT_FALSE(chain.empty());
    std::vector<UINT> rotated;
    auto first = std::find(chain.begin(), chain.end(), expected.front());
    ASSERT_NE(first, chain.end());
    rotated.insert(rotated.end(), first, chain.end());
    rotated.insert(rotated.end(), chain.begin(), first);
    EXPECT_EQ(rotated, expected);
}

TEST(DialogTemplate, FirstTabStopHasTheFocusAfterInitialisation)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    EXPECT_EQ(dlg.m_nInitDialog, 1);
    EXPECT_EQ(host.Control(IDC_BUTTON_UPDATE)->hasFocus(), true);
}

TEST(DialogTemplate, WindowIsClientAreaBelowTheMenuBar)
{
    CProbeDlg dlg;
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    QWidget* window = dlg.GetWidget();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Facetta"));

    const CRect client = MapDialogRect(BaseUnitsOf(dlg), CRect(0, 0, 401, 246));
    CRect rect;
    dlg.GetClientRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, client.Width(), client.Height()));

    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isNativeMenuBar());
    EXPECT_GT(bar->height(), 0);
    // Client point (0, 0) lies just below the menu bar.
    CPoint origin(0, 0);
    dlg.ClientToScreen(&origin);
    const QPoint barBottomLeft = bar->mapToGlobal(QPoint(0, bar->height()));
    EXPECT_EQ(origin, CPoint(barBottomLeft.x(), barBottomLeft.y()));
    EXPECT_EQ(window->height(), client.Height() + bar->height());
    EXPECT_EQ(window->width(), client.Width());

    // A resizable frame, a minimum from the sizing rule, no maximum.
    EXPECT_EQ(window->minimumSize(), QSize(480, 400));
    EXPECT_GT(window->maximumSize().width(), 4000);
}

TEST(DialogTemplate, AboutBoxHasIconTextAndDefaultOk)
{
    CProbeDlg dlg(IDD_ABOUTBOX);
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    QWidget* window = dlg.GetWidget();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("About Lapido"));
    EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr);
    // A modal frame: not resizable.
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const CRect client = MapDialogRect(BaseUnitsOf(dlg), CRect(0, 0, 240, 68));
    CRect rect;
    dlg.GetClientRect(&rect);
    EXPECT_EQ(rect.Size(), client.Size());

    ExpectControlsMatchTemplate(dlg, *AfxFindDialogTemplate(IDD_ABOUTBOX));
    EXPECT_EQ(DefaultButtonOf(dlg), UINT(IDOK));

    bool foundText = false;
    bool foundIcon = false;
    for (QLabel* label : window->findChildren<QLabel*>())
    {
        if (label->text() == QStringLiteral("Facetta, Version " LAPIDO_VERSION))
        {
            foundText = true;
            const CRect at = MapDialogRect(BaseUnitsOf(dlg), CRect(42, 14, 222, 22));
            EXPECT_EQ(label->pos(), QPoint(at.left, at.top));
            EXPECT_GE(label->width(), at.Width());
        }
        if (!label->pixmap().isNull())
        {
            foundIcon = true;
            const CRect at = MapDialogRect(BaseUnitsOf(dlg), CRect(14, 14, 34, 34));
            EXPECT_EQ(label->pos(), QPoint(at.left, at.top));
            EXPECT_EQ(label->size(),
                      QSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
        }
    }
    EXPECT_TRUE(foundText);
    EXPECT_TRUE(foundIcon);
}

TEST(DialogTemplate, MissingTemplateCreatesNothing)
{
    CProbeDlg dlg(4711);
    EXPECT_FALSE(CreateModeless(dlg));
    EXPECT_EQ(dlg.GetWidget(), nullptr);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(DialogUnits, BaseUnitsComeFromTheFont)
{
    const DialogTemplate* tmpl = AfxFindDialogTemplate(IDD_LAPIDO_DIALOG);
    const QFont font = DialogFont(*tmpl);
    EXPECT_EQ(font.pointSize(), 8);
    const DialogBaseUnits units = GetDialogBaseUnits(font);
    const QFontMetrics metrics(font);
    const double mean = metrics.horizontalAdvance(QStringLiteral(
                            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                        52.0;
    EXPECT_NEAR(units.cx, mean, 0.5 + 1e-9);
    EXPECT_EQ(units.cy, metrics.height());
}

TEST(DialogUnits, MapDialogRectRoundsPositionAndSizeEach)
{
    const DialogBaseUnits units{6, 13};
    struct Case
    {
        CRect du;
        CRect px;
    } cases[] = {
        {CRect(0, 0, 4, 8), CRect(0, 0, 6, 13)},
        {CRect(1, 1, 2, 2), CRect(2, 2, 4, 4)},   // 1.5 -> 2, 1.625 -> 2
        {CRect(3, 3, 6, 6), CRect(5, 5, 10, 10)}, // 4.5 -> 5, 4.875 -> 5
        {CRect(7, 24, 205, 196), CRect(11, 39, 308, 319)},
        {CRect(0, 0, 401, 246), CRect(0, 0, 602, 400)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapDialogRect(units, c.du), c.px)
            << c.du.left << "," << c.du.top << "," << c.du.right << "," << c.du.bottom;
}

TEST(DialogTemplate, ControlsCarryTheirRowsNames)
{
    CProbeDlg dlg;
    DialogHost host(dlg, false);
    ASSERT_TRUE(host.Created());
    struct Case
    {
        int id;
        const char* name;
    } cases[] = {
        {IDC_EDIT_TABLE, "Table Semi-Diameter"},
        {IDC_EDIT_DIAMETER, "Diamond Semi-Diamter"},
        {IDC_EDIT_UPPER_GIRDLE_POINT,
         "Upper girdle facet point (Adjoin Point of Star and Upper girdle)"},
        {IDC_EDIT_UPPER_GIRDLE_ANGLE, "Upper girdle facet angle in degree"},
        {IDC_EDIT_GIRDLE_THICKNESS, "Girdle thickness"},
        {IDC_PICTURE, "3D view"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host.Control(c.id)->accessibleName(), QString::fromUtf8(c.name)) << c.id;

    QWidget* spin = host.Control(IDC_SPIN_CROWN_ANGLE);
    EXPECT_EQ(spin->findChild<QToolButton*>(QStringLiteral("up"))->accessibleName(),
              QStringLiteral("Crown Angle in degree up"));
    EXPECT_EQ(spin->findChild<QToolButton*>(QStringLiteral("down"))->accessibleName(),
              QStringLiteral("Crown Angle in degree down"));
}
