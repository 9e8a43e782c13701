// Label fonts, one-bit text bitmaps, device resolution and the millisecond clock.
#include "platform/Clock.h"
#include "platform/TextBitmap.h"
#include "tests/support/OffscreenGL.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace
{
struct FreeBits
{
    void operator()(BYTE* p) const { std::free(p); }
};
using Bits = std::unique_ptr<BYTE, FreeBits>;

struct FontDeleter
{
    void operator()(FontHandle* f) const { DeleteObject(f); }
};
using Font = std::unique_ptr<FontHandle, FontDeleter>;

// Pixel (x, y) of a bitmap in the label layout, y counted from the top row of the image.
bool BitAt(const BYTE* bits, const int size[2], int x, int y)
{
    const BYTE* row = bits + static_cast<std::size_t>(size[0] / 8) * (size[1] - 1 - y);
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

DeviceContext Screen96()
{
    return DeviceContext{96, 96};
}

// Glyph pixels of a rendered line, as (x, y) with y from the top.
struct Ink
{
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1, count = 0;
};
Ink InkOf(const BYTE* bits, const int size[2])
{
    Ink ink;
    for (int y = 0; y < size[1]; ++y)
        for (int x = 0; x < size[0]; ++x)
            if (BitAt(bits, size, x, y))
            {
                ink.minX = std::min(ink.minX, x);
                ink.maxX = std::max(ink.maxX, x);
                ink.minY = std::min(ink.minY, y);
                ink.maxY = std::max(ink.maxY, y);
                ++ink.count;
            }
    return ink;
}
} // namespace

TEST(LabelFont, PixelHeightFollowsPointsAndResolution)
{
    struct Case
    {
        float points;
        int dpi;
        int pixels;
    };
    const Case cases[] = {
        {16.0f, 96, 21},  {12.0f, 96, 16}, {16.9f, 96, 21}, // points are truncated first
        {12.0f, 120, 20}, {1.0f, 96, 1},   {9.0f, 144, 18},
    };
    for (const Case& c : cases)
    {
        DeviceContext dc{c.dpi, c.dpi};
        Font font(CreateLabelFont(&dc, L"FixedSys", c.points));
        ASSERT_TRUE(font) << c.points;
        const QFont& q = FontOf(font.get());
        EXPECT_EQ(q.pixelSize(), c.pixels) << c.points << " pt at " << c.dpi;
        EXPECT_EQ(q.family(), "FixedSys");
        EXPECT_EQ(q.weight(), QFont::Normal);
        EXPECT_EQ(q.styleHint(), QFont::TypeWriter);
    }
}

TEST(LabelFont, MissingFaceFallsBackToFixedPitch)
{
    DeviceContext dc = Screen96();
    Font font(CreateLabelFont(&dc, L"FixedSys", 16.0f));
    ASSERT_TRUE(font);
    const QFontMetrics metrics(FontOf(font.get()));
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
    EXPECT_GE(metrics.height(), 21);
}

TEST(LabelFont, FaceNameIsCutAt31Characters)
{
    DeviceContext dc = Screen96();
    Font font(CreateLabelFont(&dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij", 12.0f));
    ASSERT_TRUE(font);
    EXPECT_EQ(FontOf(font.get()).family(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde");
}

TEST(LabelFont, RefusesWhatItCannotSize)
{
    DeviceContext dc = Screen96();
    struct Case
    {
        HDC hdc;
        const wchar_t* face;
        float points;
    };
    const Case cases[] = {
        {&dc, nullptr, 16.0f},      {nullptr, L"FixedSys", 16.0f}, {&dc, L"FixedSys", 0.5f},
        {&dc, L"FixedSys", -16.0f}, {&dc, L"FixedSys", NAN},       {&dc, L"FixedSys", 1e30f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreateLabelFont(c.hdc, c.face, c.points), nullptr) << c.points;
}

// The layout: rows bottom-up, leftmost pixel in the most significant bit, rows padded to 32
// pixels with zeros, light pixels 1, whatever the image's format and colour table.
TEST(BitmapBits, LayoutFromAnyImageFormat)
{
    constexpr int w = 37, h = 3;
    const std::vector<std::pair<int, int>> lit = {{0, 0}, {36, 0}, {8, 1}, {7, 1}, {5, 2}};
    QImage rgb(w, h, QImage::Format_RGB32);
    rgb.fill(Qt::black);
    for (auto [x, y] : lit)
        rgb.setPixel(x, y, qRgb(255, 255, 255));
    QImage mono = rgb.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QImage monoBlackFirst = mono;
    monoBlackFirst.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            monoBlackFirst.setPixel(x, y, qGray(rgb.pixel(x, y)) > 127 ? 1 : 0);
    const struct
    {
        const char* name;
        QImage image;
    } cases[] = {
        {"rgb", rgb},
        {"mono, white first", mono},
        {"mono, black first", monoBlackFirst},
        {"mono lsb", monoBlackFirst.convertToFormat(QImage::Format_MonoLSB)},
        {"grey", rgb.convertToFormat(QImage::Format_Grayscale8)},
    };
    ASSERT_NE(qGray(mono.color(0)), qGray(monoBlackFirst.color(0))); // both orders are tried

    DeviceContext dc = Screen96();
    for (const auto& c : cases)
    {
        HBITMAP bitmap = CreateBitmapFromImage(c.image);
        int size[2] = {};
        Bits bits(ReadBitmapBits(&dc, bitmap, size));
        DeleteObject(bitmap);
        ASSERT_TRUE(bits) << c.name;
        EXPECT_EQ(size[0], 64) << c.name;
        EXPECT_EQ(size[1], h) << c.name;
        // Exact bytes: first row in memory is the bottom row of the image.
        const std::vector<BYTE> expected = {
            0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // y 2: x 5
            0x01, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // y 1: x 7 and 8
            0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, // y 0: x 0 and 36
        };
        EXPECT_EQ(std::vector<BYTE>(bits.get(), bits.get() + expected.size()), expected) << c.name;
    }
}

TEST(BitmapBits, WidthPadsToWholeWords)
{
    DeviceContext dc = Screen96();
    for (int w : {1, 31, 32, 33, 64, 65})
    {
        QImage image(w, 2, QImage::Format_Mono);
        image.fill(1); // white everywhere: padding must stay 0
        HBITMAP bitmap = CreateBitmapFromImage(image);
        int size[2] = {};
        Bits bits(ReadBitmapBits(&dc, bitmap, size));
        DeleteObject(bitmap);
        ASSERT_TRUE(bits) << w;
        EXPECT_EQ(size[0], (w + 31) / 32 * 32) << w;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < size[0]; ++x)
                ASSERT_EQ(BitAt(bits.get(), size, x, y), x < w) << w << " at " << x;
    }
}

TEST(BitmapBits, NullOrEmptyGivesNothing)
{
    DeviceContext dc = Screen96();
    HBITMAP empty = CreateBitmapFromImage(QImage());
    HBITMAP some = CreateBitmapFromImage(QImage(4, 4, QImage::Format_Mono));
    int size[2] = {-1, -1};
    EXPECT_EQ(ReadBitmapBits(nullptr, some, size), nullptr);
    EXPECT_EQ(ReadBitmapBits(&dc, nullptr, size), nullptr);
    EXPECT_EQ(ReadBitmapBits(&dc, empty, size), nullptr);
    EXPECT_EQ(ReadBitmapBits(&dc, some, nullptr), nullptr);
    EXPECT_EQ(size[0], -1); // untouched on failure
    DeleteObject(empty);
    DeleteObject(some);
}

// Known glyphs pin the orientation: a bar's ink sits in the cell it was typed in, a full
// stop at the bottom of the cell and a macron at its top.
TEST(TextBitmap, GlyphsLandWhereTheyAreDrawn)
{
    DeviceContext dc = Screen96();
    Font font(CreateLabelFont(&dc, L"FixedSys", 16.0f));
    ASSERT_TRUE(font);
    const QFontMetrics metrics(FontOf(font.get()));
    const int cell = metrics.horizontalAdvance('|');
    const int height = metrics.height();

    struct Case
    {
        const wchar_t* text;
        int cellIndex; // the only cell with ink
        bool inkInTopHalf;
        bool inkInBottomHalf;
    };
    const Case cases[] = {
        {L"|   ", 0, true, true},
        {L"   |", 3, true, true},
        {L"  . ", 2, false, true},
        {L" \u00AF  ", 1, true, false}, // macron: a bar at the top
    };
    for (const Case& c : cases)
    {
        int size[2] = {};
        Bits bits(RenderTextBitmap(&dc, font.get(), c.text, size));
        ASSERT_TRUE(bits);
        EXPECT_EQ(size[0], (4 * cell + 31) / 32 * 32);
        EXPECT_EQ(size[1], height);
        const Ink ink = InkOf(bits.get(), size);
        ASSERT_GT(ink.count, 0);
        EXPECT_GE(ink.minX, c.cellIndex * cell);
        EXPECT_LT(ink.maxX, (c.cellIndex + 1) * cell);
        EXPECT_EQ(ink.minY < height / 2, c.inkInTopHalf) << ink.minY;
        EXPECT_EQ(ink.maxY >= height / 2, c.inkInBottomHalf) << ink.maxY;
    }
}

TEST(TextBitmap, BarIsASolidColumn)
{
    DeviceContext dc = Screen96();
    Font font(CreateLabelFont(&dc, L"FixedSys", 16.0f));
    int size[2] = {};
    Bits bits(RenderTextBitmap(&dc, font.get(), L"|", size));
    ASSERT_TRUE(bits);
    const Ink ink = InkOf(bits.get(), size);
    ASSERT_GT(ink.count, 0);
    // Not antialiased: every pixel inside the bar's box is set.
    EXPECT_EQ(ink.count, (ink.maxX - ink.minX + 1) * (ink.maxY - ink.minY + 1));
    EXPECT_GT(ink.maxY - ink.minY, size[1] / 2);
}

TEST(TextBitmap, BlanksAndFailures)
{
    DeviceContext dc = Screen96();
    Font font(CreateLabelFont(&dc, L"FixedSys", 12.0f));
    int size[2] = {};
    Bits blanks(RenderTextBitmap(&dc, font.get(), L"   ", size));
    ASSERT_TRUE(blanks);
    EXPECT_EQ(InkOf(blanks.get(), size).count, 0);

    EXPECT_EQ(RenderTextBitmap(&dc, font.get(), L"", size), nullptr);
    EXPECT_EQ(RenderTextBitmap(&dc, nullptr, L"x", size), nullptr);
    EXPECT_EQ(RenderTextBitmap(&dc, font.get(), nullptr, size), nullptr);
    EXPECT_EQ(RenderTextBitmap(nullptr, font.get(), L"x", size), nullptr);
    EXPECT_EQ(RenderTextBitmap(&dc, font.get(), L"x", nullptr), nullptr);
}

TEST(DeviceContext, CapsAndCurrentContext)
{
    DeviceContext dc{72, 120};
    EXPECT_EQ(GetDeviceCaps(&dc, LOGPIXELSX), 72);
    EXPECT_EQ(GetDeviceCaps(&dc, LOGPIXELSY), 120);
    EXPECT_EQ(GetDeviceCaps(&dc, 12345), 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 0);

    {
        OffscreenGL gl;
        ASSERT_TRUE(gl.IsValid());
        HDC current = GetCurrentGLDC();
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(GetDeviceCaps(current, LOGPIXELSY), 96); // Xvfb's logical resolution
        gl.DoneCurrent();
    }
    EXPECT_EQ(GetCurrentGLDC(), nullptr);
}

TEST(Clock, CountsMilliseconds)
{
    const DWORD t0 = timeGetTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const DWORD elapsed = timeGetTime() - t0;
    EXPECT_GE(elapsed, 24u);
    EXPECT_LT(elapsed, 25000u); // milliseconds, not a finer unit
}
