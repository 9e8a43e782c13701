// COGLJText: text drawn at the raster position from a display list of bitmaps.
#include "tests/support/OffscreenGL.h"
#include "view/OGLJText.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{
constexpr int kWidth = 200;
constexpr int kHeight = 160;
constexpr int kLeft = 10; // where the labels are placed, from the top-left corner
constexpr int kTop = 12;

class LabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gl.IsValid());
        m_gl.UsePixelProjection();
        glDisable(GL_DEPTH_TEST);
        Clear();
    }

    void Clear()
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // Raster position in window pixels counted from the top-left corner.
    void RasterAt(int x, int y)
    {
        glColor3ub(255, 255, 255);
        glRasterPos2i(x, kHeight - y);
    }

    QImage DrawAt(COGLJText& label, int x = kLeft, int y = kTop)
    {
        Clear();
        RasterAt(x, y);
        label.Draw();
        return m_gl.ReadPixels();
    }

    static int LineHeight(const COGLJText& label)
    {
        return QFontMetrics(FontOf(label.m_hFont)).height();
    }

    OffscreenGL m_gl{kWidth, kHeight};
};

struct Box
{
    int left = kWidth, top = kHeight, right = -1, bottom = -1; // inclusive
    bool Empty() const { return right < 0; }
};

Box LitBox(const QImage& image)
{
    Box box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 64)
            {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}
} // namespace

TEST_F(LabelTest, StartsEmptyWithTheFixedFace)
{
    COGLJText label(16.0f);
    EXPECT_STREQ(label.m_faceName, L"FixedSys");
    EXPECT_EQ(label.m_size, 16.0f);
    EXPECT_EQ(label.m_hFont, nullptr);
    EXPECT_EQ(label.m_list, 0u);
    EXPECT_EQ(label.m_text, nullptr);

    label.Draw(); // no text: nothing to compile, nothing drawn
    EXPECT_EQ(label.m_list, 0u);
    EXPECT_TRUE(LitBox(m_gl.ReadPixels()).Empty());
}

TEST_F(LabelTest, FontIsSizedAtTheContextsResolution)
{
    for (auto [points, pixels] : {std::pair{16.0f, 21}, std::pair{12.0f, 16}})
    {
        COGLJText label(points);
        label.SetText(L"x");
        DrawAt(label);
        ASSERT_NE(label.m_hFont, nullptr);
        EXPECT_EQ(FontOf(label.m_hFont).pixelSize(), pixels) << points;
    }
}

TEST_F(LabelTest, TopLeftCornerAtTheRasterPositionInTheRasterColour)
{
    COGLJText label(16.0f);
    label.SetText(L"%ls%d", L"Hx", 7);
    EXPECT_STREQ(label.m_text, L"Hx7");
    Clear();
    glColor3ub(80, 80, 80);
    glRasterPos2i(kLeft, kHeight - kTop);
    glColor3ub(255, 0, 0); // after glRasterPos: must not matter
    label.Draw();
    const QImage image = m_gl.ReadPixels();
    const Box box = LitBox(image);
    ASSERT_FALSE(box.Empty());
    EXPECT_GE(box.left, kLeft);
    EXPECT_LT(box.left, kLeft + 4);
    EXPECT_GE(box.top, kTop);
    EXPECT_LE(box.bottom, kTop + LineHeight(label) - 1);
    const QColor lit = image.pixelColor(box.left, box.top + (box.bottom - box.top) / 2);
    for (int c : {lit.red(), lit.green(), lit.blue()})
        EXPECT_NEAR(c, 80, 1);

    // The raster position did not move.
    GLint position[4] = {};
    glGetIntegerv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_EQ(position[0], kLeft);
    EXPECT_EQ(position[1], kHeight - kTop);
}

TEST_F(LabelTest, FirstDrawRendersAndLaterDrawsReplayTheList)
{
    COGLJText label(12.0f);
    label.SetText(L"12.5");
    const QImage first = DrawAt(label);
    const GLuint list = label.m_list;
    ASSERT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));
    EXPECT_FALSE(LitBox(first).Empty());
    EXPECT_EQ(DrawAt(label), first);
    EXPECT_EQ(label.m_list, list);
}

// A text of several lines draws as its lines drawn one under another, each a line height
// lower; compared with single-line labels drawn at those raster positions.
TEST_F(LabelTest, LinesStackDownward)
{
    struct Case
    {
        const wchar_t* text;
        std::vector<const wchar_t*> lines;
    };
    const Case cases[] = {
        {L"Ab\r\nCd", {L"Ab", L"Cd"}},
        {L"Ab\nCd", {L"Ab", L"Cd"}},
        {L"Ab\n", {L"Ab"}},
        {L"Ab\r\n", {L"Ab"}},
        {L"Ab\n\nCd", {L"Ab", L"", L"Cd"}},
        {L"\nCd", {L"", L"Cd"}},
        {L"Ab\nCd\nEf", {L"Ab", L"Cd", L"Ef"}},
    };
    for (const Case& c : cases)
    {
        COGLJText label(16.0f);
        label.SetText(L"%ls", c.text);
        const QImage actual = DrawAt(label);
        const int lineHeight = LineHeight(label);

        Clear();
        for (std::size_t i = 0; i < c.lines.size(); ++i)
        {
            COGLJText line(16.0f);
            line.SetText(L"%ls", c.lines[i]);
            RasterAt(kLeft, kTop + static_cast<int>(i) * lineHeight);
            line.Draw();
        }
        const QImage expected = m_gl.ReadPixels();
        ASSERT_FALSE(LitBox(expected).Empty());
        EXPECT_EQ(actual, expected) << std::wstring(c.text).size();
    }
}

TEST_F(LabelTest, UnchangedTextKeepsTheList)
{
    COGLJText label(12.0f);
    label.SetText(L"%5d[fps]", 63);
    DrawAt(label);
    const GLuint list = label.m_list;
    ASSERT_NE(list, 0u);

    label.SetText(L"%5d[fps]", 63);
    EXPECT_EQ(label.m_list, list);
    EXPECT_TRUE(glIsList(list));

    label.SetText(L"%5d[fps]", 64); // a new text drops the list; the next draw renders it
    EXPECT_EQ(label.m_list, 0u);
    EXPECT_FALSE(glIsList(list));
    EXPECT_STREQ(label.m_text, L"   64[fps]");
    DrawAt(label);
    EXPECT_NE(label.m_list, 0u);
}

TEST_F(LabelTest, EmptyTextCompilesAnEmptyList)
{
    COGLJText label(16.0f);
    label.SetText(L"");
    EXPECT_TRUE(LitBox(DrawAt(label)).Empty());
    EXPECT_NE(label.m_list, 0u);
    EXPECT_TRUE(LitBox(DrawAt(label)).Empty());

    COGLJText nullFormat(16.0f); // taken as an empty text
    nullFormat.SetText(nullptr);
    ASSERT_NE(nullFormat.m_text, nullptr);
    EXPECT_STREQ(nullFormat.m_text, L"");
}

TEST_F(LabelTest, LongTextIsCutAt4095Characters)
{
    const std::wstring exact(4095, L'y');
    const std::wstring tooLong(5000, L'x');
    struct Case
    {
        const std::wstring& text;
        wchar_t fill;
    };
    for (const Case& c : {Case{exact, L'y'}, Case{tooLong, L'x'}})
    {
        COGLJText label(12.0f);
        label.SetText(L"%ls", c.text.c_str());
        ASSERT_NE(label.m_text, nullptr);
        EXPECT_EQ(std::wstring(label.m_text), std::wstring(4095, c.fill));
        EXPECT_FALSE(LitBox(DrawAt(label)).Empty());
    }

    // Cut inside the format as well as inside an argument.
    COGLJText label(12.0f);
    label.SetText((std::wstring(4090, L'a') + L"%d").c_str(), 1234567);
    EXPECT_EQ(std::wstring(label.m_text), std::wstring(4090, L'a') + L"12345");
}

// An invalid raster position draws nothing, even where part of the text would fit.
TEST_F(LabelTest, OutsideTheViewDrawsNothing)
{
    COGLJText label(16.0f);
    label.SetText(L"outside");
    for (auto [x, y] : {std::pair{-3, kTop}, std::pair{kLeft, -2}, std::pair{kWidth + 1, kTop}})
    {
        Clear();
        RasterAt(x, y);
        GLboolean valid = GL_TRUE;
        glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
        EXPECT_FALSE(valid);
        label.Draw();
        EXPECT_TRUE(LitBox(m_gl.ReadPixels()).Empty()) << x << ", " << y;
    }
}

TEST_F(LabelTest, WithoutAContextNothingIsKept)
{
    COGLJText label(16.0f);
    label.SetText(L"later");
    m_gl.DoneCurrent();
    label.Draw();
    EXPECT_EQ(label.m_hFont, nullptr);
    EXPECT_EQ(label.m_list, 0u);

    ASSERT_TRUE(m_gl.MakeCurrent());
    EXPECT_FALSE(LitBox(DrawAt(label)).Empty());
    EXPECT_EQ(FontOf(label.m_hFont).pixelSize(), 21);
}
