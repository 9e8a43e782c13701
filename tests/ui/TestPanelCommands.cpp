// Update, Default and the seven up-downs: each reads the panel, steps and limits one row,
// and rebuilds.
#include "DialogFixture.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <string>

namespace
{
using PanelCommands = DialogTest;

struct StepCase
{
    const char* name;
    UINT spin;
    int delta;
    // Texts typed into the panel first (0 ends the list).
    struct
    {
        int id;
        const wchar_t* text;
    } typed[3];
    double CutParameters::*field;
    double expected;
};

using CP = CutParameters;

// The edit an up-down steps: the control just before it in the template.
int EditOf(UINT spin)
{
    const struct
    {
        UINT spin;
        int edit;
    } pairs[] = {{IDC_SPIN_TABLE, IDC_EDIT_TABLE},
                 {IDC_SPIN_DIAMETER, IDC_EDIT_DIAMETER},
                 {IDC_SPIN_CROWN_ANGLE, IDC_EDIT_CROWN_ANGLE},
                 {IDC_SPIN_UPPER_GIRDLE_POINT, IDC_EDIT_UPPER_GIRDLE_POINT},
                 {IDC_SPIN_PAVILION_ANGLE, IDC_EDIT_PAVILION_ANGLE},
                 {IDC_SPIN_LOWER_GIRDLE_POINT, IDC_EDIT_LOWER_GIRDLE_POINT},
                 {IDC_SPIN_GIRDLE_THICKNESS, IDC_EDIT_GIRDLE_THICKNESS}};
    for (const auto& p : pairs)
        if (p.spin == spin)
            return p.edit;
    return 0;
}

// With the generator unable to build, the rebuild writes the panel without reconciling it,
// so the step and its limits show as they are.
TEST_F(PanelCommands, StepsAndLimitsOfEveryRow)
{
    const StepCase cases[] = {
        {"crown up to 90",
         IDC_SPIN_CROWN_ANGLE,
         -1,
         {{IDC_EDIT_CROWN_ANGLE, L"89.5"}},
         &CP::crownAngle,
         90.0},
        {"crown stays at 90",
         IDC_SPIN_CROWN_ANGLE,
         -1,
         {{IDC_EDIT_CROWN_ANGLE, L"90"}},
         &CP::crownAngle,
         90.0},
        {"crown down to 0",
         IDC_SPIN_CROWN_ANGLE,
         1,
         {{IDC_EDIT_CROWN_ANGLE, L"0.4"}},
         &CP::crownAngle,
         0.0},
        {"crown big delta is one step",
         IDC_SPIN_CROWN_ANGLE,
         -7,
         {{IDC_EDIT_CROWN_ANGLE, L"30"}},
         &CP::crownAngle,
         31.0},
        {"pavilion up to 90",
         IDC_SPIN_PAVILION_ANGLE,
         -1,
         {{IDC_EDIT_PAVILION_ANGLE, L"89.5"}},
         &CP::pavilionAngle,
         90.0},
        {"pavilion down to 0",
         IDC_SPIN_PAVILION_ANGLE,
         1,
         {{IDC_EDIT_PAVILION_ANGLE, L"0.4"}},
         &CP::pavilionAngle,
         0.0},
        {"table up to the diameter",
         IDC_SPIN_TABLE,
         -1,
         {{IDC_EDIT_TABLE, L"5.1"}},
         &CP::tableSemiDiameter,
         5.174},
        {"table down to 0",
         IDC_SPIN_TABLE,
         1,
         {{IDC_EDIT_TABLE, L"0.05"}},
         &CP::tableSemiDiameter,
         0.0},
        {"diameter down to the table",
         IDC_SPIN_DIAMETER,
         1,
         {{IDC_EDIT_DIAMETER, L"2.7"}},
         &CP::diamondSemiDiameter,
         2.65},
        {"diameter up",
         IDC_SPIN_DIAMETER,
         -1,
         {{IDC_EDIT_DIAMETER, L"5"}},
         &CP::diamondSemiDiameter,
         5.1},
        {"upper girdle up to the diameter",
         IDC_SPIN_UPPER_GIRDLE_POINT,
         -1,
         {{IDC_EDIT_UPPER_GIRDLE_POINT, L"5.1"}},
         &CP::upperGirdlePoint,
         5.174},
        {"upper girdle down to the table",
         IDC_SPIN_UPPER_GIRDLE_POINT,
         1,
         {{IDC_EDIT_UPPER_GIRDLE_POINT, L"2.7"}},
         &CP::upperGirdlePoint,
         2.65},
        {"upper girdle: diameter wins over a larger table",
         IDC_SPIN_UPPER_GIRDLE_POINT,
         1,
         {{IDC_EDIT_TABLE, L"6"}, {IDC_EDIT_DIAMETER, L"5"}, {IDC_EDIT_UPPER_GIRDLE_POINT, L"4"}},
         &CP::upperGirdlePoint,
         5.0},
        {"upper girdle not below 0",
         IDC_SPIN_UPPER_GIRDLE_POINT,
         1,
         {{IDC_EDIT_TABLE, L"-3"}, {IDC_EDIT_UPPER_GIRDLE_POINT, L"0.05"}},
         &CP::upperGirdlePoint,
         0.0},
        {"lower girdle up to the diameter",
         IDC_SPIN_LOWER_GIRDLE_POINT,
         -1,
         {{IDC_EDIT_LOWER_GIRDLE_POINT, L"5.15"}},
         &CP::lowerGirdlePoint,
         5.174},
        {"lower girdle down to 0",
         IDC_SPIN_LOWER_GIRDLE_POINT,
         1,
         {{IDC_EDIT_LOWER_GIRDLE_POINT, L"0.05"}},
         &CP::lowerGirdlePoint,
         0.0},
        {"girdle thickness down to 0",
         IDC_SPIN_GIRDLE_THICKNESS,
         1,
         {{IDC_EDIT_GIRDLE_THICKNESS, L"0.05"}},
         &CP::girdleThickness,
         0.0},
        {"girdle thickness has no upper limit",
         IDC_SPIN_GIRDLE_THICKNESS,
         -1,
         {{IDC_EDIT_GIRDLE_THICKNESS, L"100"}},
         &CP::girdleThickness,
         100.1},
    };
    const CModel* model = View().m_pModel;
    for (const StepCase& c : cases)
    {
        Command(IDC_BUTTON_DEFAULT);
        model = View().m_pModel;
        for (const auto& t : c.typed)
            if (t.id != 0)
                SetText(t.id, t.text);
        {
            GeneratorFailure failure;
            EXPECT_EQ(Spin(c.spin, c.delta), 0) << c.name;
        }
        EXPECT_NEAR(Dlg().m_cut.*c.field, c.expected, 1e-12) << c.name;
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.3f", c.expected);
        const CString shown = Text(EditOf(c.spin));
        EXPECT_EQ(std::string(shown.begin(), shown.end()), expected) << c.name;
        // A failed build leaves the view's model alone.
        EXPECT_EQ(View().m_pModel, model) << c.name;
    }
}

TEST_F(PanelCommands, StepStartsFromTheShownTextAndTakesPendingEditsAlong)
{
    SetText(IDC_EDIT_CROWN_ANGLE, L"36");
    Spin(IDC_SPIN_TABLE, -1);
    EXPECT_EQ(Text(IDC_EDIT_TABLE), L"2.750");
    EXPECT_EQ(Dlg().m_cut.tableSemiDiameter, 2.75);
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"36.000");
    Spin(IDC_SPIN_TABLE, -1);
    EXPECT_EQ(Text(IDC_EDIT_TABLE), L"2.850");
    EXPECT_EQ(Dlg().m_cut.tableSemiDiameter, 2.85);
}

TEST_F(PanelCommands, EveryStepRebuildsAndTheDialogKeepsTheFocusWhereItWas)
{
    const UINT spins[] = {IDC_SPIN_TABLE,           IDC_SPIN_DIAMETER,
                          IDC_SPIN_CROWN_ANGLE,     IDC_SPIN_UPPER_GIRDLE_POINT,
                          IDC_SPIN_PAVILION_ANGLE,  IDC_SPIN_LOWER_GIRDLE_POINT,
                          IDC_SPIN_GIRDLE_THICKNESS};
    for (UINT spin : spins)
    {
        Dlg().GetDlgItem(IDC_EDIT_TABLE)->SetFocus();
        View().m_pick[0] = 6914;
        const CModel* before = View().m_pModel;
        EXPECT_EQ(Spin(spin, -1), 0);
        EXPECT_NE(View().m_pModel, before) << spin;
        EXPECT_EQ(View().m_pick[0], 0u) << spin;
        // The dialog takes the focus and gives it back to the edit that had it, so the
        // Up and Down keys go on stepping.
        EXPECT_EQ(Dlg().GetWidget()->focusWidget(), Dlg().GetDlgItem(IDC_EDIT_TABLE)->GetWidget())
            << "the edit lost the keyboard after up-down " << spin;
    }
}

TEST_F(PanelCommands, DefaultRestoresTheReconciledDefaults)
{
    SetText(IDC_EDIT_CROWN_ANGLE, L"20");
    SetText(IDC_EDIT_TABLE, L"1");
    Command(IDC_BUTTON_UPDATE);
    ASSERT_NE(Text(IDC_EDIT_TABLE), L"2.650");
    const CModel* before = View().m_pModel;
    Command(IDC_BUTTON_DEFAULT);
    EXPECT_NE(View().m_pModel, before);
    const wchar_t* expected[] = {L"2.650",  L"5.174", L"34.600", L"3.724", L"39.513",
                                 L"40.800", L"1.250", L"41.480", L"0.260"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Text(IDC_EDIT_TABLE + i), expected[i]);
}

TEST_F(PanelCommands, UpdateAndRoundBrilliantUseTheTypedText)
{
    for (UINT command :
         {static_cast<UINT>(IDC_BUTTON_UPDATE), static_cast<UINT>(ID_MISC_ROUND_BRILLIANT)})
    {
        Command(IDC_BUTTON_DEFAULT);
        SetText(IDC_EDIT_PAVILION_ANGLE, L"42.25");
        const CModel* before = View().m_pModel;
        Command(command);
        EXPECT_NE(View().m_pModel, before);
        EXPECT_EQ(Dlg().m_cut.pavilionAngle, 42.25);
        EXPECT_EQ(Text(IDC_EDIT_PAVILION_ANGLE), L"42.250");
    }
}
} // namespace
