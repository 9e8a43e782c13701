// Reading the panel's text into the proportions and writing them back.
#include "DialogFixture.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{
using Panel = DialogTest;

struct TextCase
{
    const wchar_t* typed;
    double read;
    const wchar_t* shownAfterRead; // nullptr: the typed text stays
};

TEST_F(Panel, ReadsEachEditByItsNumericPrefix)
{
    const std::wstring longDigits(32, L'1');
    const TextCase cases[] = {
        {L"abc", 0.0, nullptr},
        {L"3.5abc", 3.5, nullptr},
        {L"  4", 4.0, nullptr},
        {L"1e1", 10.0, nullptr},
        {L"2,5", 2.0, nullptr},
        {L"", 0.0, nullptr},
        {L"-7.25", -7.25, nullptr},
        {L"\uff13\uff14", 0.0, nullptr}, // full-width digits: representable, not a number
        {longDigits.c_str(), 34.6, L"34.600"},
        {L"3\u00e9", 34.6, L"34.600"},
        {L"\u20ac5", 34.6, L"34.600"},
        {L"\U0001F48E", 34.6, L"34.600"},
    };
    for (const TextCase& c : cases)
    {
        SetText(IDC_EDIT_CROWN_ANGLE, c.typed);
        Dlg().m_cut.crownAngle = -1.0;
        Dlg().ReadParameters();
        EXPECT_DOUBLE_EQ(Dlg().m_cut.crownAngle, c.read) << "typed text #" << (&c - cases);
        EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), c.shownAfterRead ? c.shownAfterRead : c.typed);
        // The other rows are read normally.
        EXPECT_DOUBLE_EQ(Dlg().m_cut.tableSemiDiameter, 2.65);
    }
}

TEST_F(Panel, UnreadableRowTakesItsOwnDefault)
{
    SetText(IDC_EDIT_TABLE, std::wstring(40, L'9').c_str());
    SetText(IDC_EDIT_GIRDLE_THICKNESS, L"\u00e9");
    SetText(IDC_EDIT_PAVILION_ANGLE, L"41");
    Dlg().ReadParameters();
    EXPECT_DOUBLE_EQ(Dlg().m_cut.tableSemiDiameter, 2.65);
    EXPECT_EQ(Text(IDC_EDIT_TABLE), L"2.650");
    EXPECT_DOUBLE_EQ(Dlg().m_cut.girdleThickness, 0.26);
    EXPECT_EQ(Text(IDC_EDIT_GIRDLE_THICKNESS), L"0.260");
    EXPECT_DOUBLE_EQ(Dlg().m_cut.pavilionAngle, 41.0);
}

TEST_F(Panel, UpdateRebuildsFromLettersAsZeroAndShowsTheReconciledValue)
{
    SetText(IDC_EDIT_CROWN_ANGLE, L"abc");
    const CModel* before = View().m_pModel;
    Command(IDC_BUTTON_UPDATE);
    EXPECT_NE(View().m_pModel, before);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.3f", Dlg().m_cut.crownAngle);
    const CString text = Text(IDC_EDIT_CROWN_ANGLE);
    const std::string shown(text.begin(), text.end());
    EXPECT_EQ(shown, expected);
}

TEST_F(Panel, WritesThreeDecimalsEvenForOddValues)
{
    Dlg().m_cut.tableSemiDiameter = -0.0004;
    Dlg().m_cut.crownAngle = 1e6;
    Dlg().m_cut.girdleThickness = 2.0005;
    Dlg().WriteParameters();
    EXPECT_EQ(Text(IDC_EDIT_TABLE), L"-0.000");
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"1000000.000");
    EXPECT_EQ(Text(IDC_EDIT_GIRDLE_THICKNESS), L"2.001");
}

// A locale with a decimal comma, compiled for this process when none is installed.
bool UseGermanLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            return true;
    char dir[] = "/tmp/lapido-locale-XXXXXX";
    if (mkdtemp(dir) == nullptr)
        return false;
    const std::string command =
        std::string("localedef -i de_DE -f UTF-8 '") + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", dir, 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST_F(Panel, GermanLocaleStillWritesAndReadsWithADot)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!UseGermanLocale())
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    char local[8];
    std::snprintf(local, sizeof local, "%.1f", 0.5);
    Command(IDC_BUTTON_DEFAULT);
    const CString table = Text(IDC_EDIT_TABLE);
    SetText(IDC_EDIT_CROWN_ANGLE, L"35.5");
    Dlg().ReadParameters();
    const double crown = Dlg().m_cut.crownAngle;
    SetText(IDC_EDIT_CROWN_ANGLE, L"35,5");
    Dlg().ReadParameters();
    const double crownComma = Dlg().m_cut.crownAngle;
    std::setlocale(LC_ALL, previous.c_str());

    ASSERT_STREQ(local, "0,5");
    EXPECT_EQ(table, L"2.650");
    EXPECT_EQ(crown, 35.5);
    EXPECT_EQ(crownComma, 35.0);
}
} // namespace
