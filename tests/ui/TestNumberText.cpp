// Reading and writing panel numbers and vetting panel text for the code page, below the
// dialog: the rules every edit of the panel goes through.
#include "platform/CodePage.h"
#include "platform/NumberText.h"
#include "view/OGLJText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <unistd.h>

namespace
{
struct ReadCase
{
    const char* text;
    double expected;
};

TEST(NumberText, ReadsTheLongestDecimalPrefix)
{
    const ReadCase cases[] = {
        {"", 0.0},        {"abc", 0.0},       {"3.5abc", 3.5},  {"  4", 4.0},
        {"\t\n 7x", 7.0}, {"1e1", 10.0},      {"1E+2", 100.0},  {"2.5e-1z", 0.25},
        {"2,5", 2.0},     {"-1.25", -1.25},   {"+.5", 0.5},     {"5.", 5.0},
        {".", 0.0},       {"-", 0.0},         {"+-1", 0.0},     {"1e", 1.0},
        {"1e+", 1.0},     {"3ex", 3.0},       {"0x1A", 0.0},    {"inf", 0.0},
        {"nan", 0.0},     {"-infinity", 0.0}, {"34.600", 34.6}, {"  -0.260 ", -0.26},
        {"1.5.5", 1.5},   {"e5", 0.0},        {"00012", 12.0},  {"1 2", 1.0},
    };
    for (const ReadCase& c : cases)
        EXPECT_DOUBLE_EQ(ReadNumberPrefix(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberText, ValuesBeyondTheRangeReadAsInfinity)
{
    EXPECT_EQ(ReadNumberPrefix("1e999"), HUGE_VAL);
    EXPECT_EQ(ReadNumberPrefix("-1e999"), -HUGE_VAL);
    EXPECT_EQ(ReadNumberPrefix("1e-999"), 0.0);
    const std::string manyDigits(400, '9');
    EXPECT_EQ(ReadNumberPrefix(manyDigits.c_str()), HUGE_VAL);
}

TEST(NumberText, WritesThreeDecimalsRoundedLikePrintf)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        {2.65, "2.650"},   {5.174, "5.174"},     {34.6, "34.600"},  {0.26, "0.260"},
        {-1.25, "-1.250"}, {0.0, "0.000"},       {2.0005, "2.001"}, {1.0005, "1.000"},
        {-0.0, "-0.000"},  {1e6, "1000000.000"},
    };
    for (const auto& c : cases)
    {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.3f", c.value);
        EXPECT_EQ(FormatFixed(c.value), c.text);
        EXPECT_EQ(FormatFixed(c.value), expected);
    }
}

struct VetCase
{
    const wchar_t* text;
    CodePageResult result;
    const char* bytes;
};

TEST(CodePage, VetsTextLikeTheJapaneseCodePage)
{
    const VetCase cases[] = {
        {L"", CodePageResult::Converted, ""},
        {L"2.650", CodePageResult::Converted, "2.650"},
        {L"1234567890123456789012345678901", CodePageResult::Converted,
         "1234567890123456789012345678901"},
        {L"12345678901234567890123456789012", CodePageResult::Truncated,
         "1234567890123456789012345678901"},
        {L"1\u00e9", CodePageResult::Unrepresentable, nullptr},
        {L"\u20ac", CodePageResult::Unrepresentable, nullptr},
        {L"\U0001F600", CodePageResult::Unrepresentable, nullptr},
        {L"\uff11\uff12", CodePageResult::Converted, "\x82\x50\x82\x51"},
        // Fifteen double-byte characters and one byte fill 31 bytes exactly; sixteen
        // double-byte characters do not fit and the last is not split.
        {L"1\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11"
         L"\uff11\uff11",
         CodePageResult::Converted, nullptr},
        {L"\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11\uff11"
         L"\uff11\uff11\uff11",
         CodePageResult::Truncated, nullptr},
    };
    for (const VetCase& c : cases)
    {
        char buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), 'x');
        EXPECT_EQ(WideToCodePage932(c.text, buffer, sizeof buffer), c.result)
            << std::wstring(c.text).size() << " characters";
        const std::size_t length = std::strlen(buffer);
        EXPECT_LT(length, sizeof buffer);
        if (c.bytes != nullptr)
        {
            EXPECT_STREQ(buffer, c.bytes);
        }
        if (c.result == CodePageResult::Truncated && c.bytes == nullptr)
        {
            EXPECT_EQ(length, 30u) << "a double-byte character was split";
        }
    }
}

// Makes a German locale available: installed ones first, else one compiled into a
// private directory for this process. Empty when neither works.
std::string GermanLocale()
{
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE"};
    for (const char* name : names)
        if (std::setlocale(LC_ALL, name) != nullptr)
            return name;
    char dir[] = "/tmp/lapido-locale-XXXXXX";
    if (mkdtemp(dir) == nullptr)
        return {};
    const std::string target = std::string(dir) + "/de_DE.UTF-8";
    const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    setenv("LOCPATH", dir, 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
        return "de_DE.UTF-8";
    return {};
}

TEST(NumberText, DecimalPointIsAlwaysADot)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const std::string german = GermanLocale();
    if (german.empty())
    {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    }
    char local[16];
    std::snprintf(local, sizeof local, "%.1f", 2.5);
    const double commaRead = std::atof("2,5");
    const std::string written = FormatFixed(2.65);
    const double read = ReadNumberPrefix("34.600");
    const double readComma = ReadNumberPrefix("2,5");
    // The frame-rate line goes through the label's own formatting.
    COGLJText label(12.0f);
    label.SetText(L"%5d[fps] ( %6.4lf[spf] )", 100, 0.01);
    const std::wstring overlay = label.m_text != nullptr ? label.m_text : L"";
    const char* const localeAfter = std::setlocale(LC_ALL, nullptr);
    const std::string germanAfter = localeAfter != nullptr ? localeAfter : "";
    std::setlocale(LC_ALL, previous.c_str());

    ASSERT_STREQ(local, "2,5") << "the locale " << german << " does not use a decimal comma";
    ASSERT_EQ(commaRead, 2.5);
    EXPECT_EQ(written, "2.650");
    EXPECT_EQ(read, 34.6);
    EXPECT_EQ(readComma, 2.0);
    EXPECT_EQ(overlay, L"  100[fps] ( 0.0100[spf] )");
    EXPECT_EQ(germanAfter, german) << "formatting changed the process locale";
}
} // namespace
