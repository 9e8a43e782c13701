// The layout's arithmetic and the colour conversions, without any window.
#include "ui/AnchorLayout.h"
#include "ui/ColorConversion.h"

#include "platform/MessageMap.h"

#include <gtest/gtest.h>

namespace
{
TEST(AnchorLayout, GrowingTheClientMovesOrStretchesByExactlyTheGrowth)
{
    const CRect client(0, 0, 600, 400);
    const CRect control(20, 30, 120, 90);
    const struct
    {
        Anchor kind;
        int dLeft, dTop, dWidth, dHeight; // per unit of growth
    } cases[] = {
        {Anchor::Stretch, 0, 0, 1, 1},
        {Anchor::TopRight, 1, 0, 0, 0},
        {Anchor::BottomLeft, 0, 1, 0, 0},
        {Anchor::BottomRight, 1, 1, 0, 0},
    };
    const int growth[][2] = {{0, 0}, {37, 0}, {0, 11}, {150, 90}, {-13, -7}};
    for (const auto& c : cases)
    {
        const AnchorRecord record = CaptureAnchor(c.kind, client, control);
        for (const auto& g : growth)
        {
            const CRect grown(0, 0, client.right + g[0], client.bottom + g[1]);
            const CRect placed = ApplyAnchor(c.kind, record, grown);
            EXPECT_EQ(placed.left, control.left + c.dLeft * g[0]);
            EXPECT_EQ(placed.top, control.top + c.dTop * g[1]);
            EXPECT_EQ(placed.Width(), control.Width() + c.dWidth * g[0]);
            EXPECT_EQ(placed.Height(), control.Height() + c.dHeight * g[1]);
        }
    }
}

TEST(AnchorLayout, ATinyClientGivesNegativeSizesUncorrected)
{
    const AnchorRecord record =
        CaptureAnchor(Anchor::Stretch, CRect(0, 0, 600, 400), CRect(10, 40, 400, 350));
    const CRect placed = ApplyAnchor(Anchor::Stretch, record, CRect(0, 0, 0, 0));
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 40);
    EXPECT_EQ(placed.Width(), 0 - 200 - 10);
    EXPECT_EQ(placed.Height(), 0 - 50 - 40);
    // And the normal size brings it back exactly.
    EXPECT_EQ(ApplyAnchor(Anchor::Stretch, record, CRect(0, 0, 600, 400)), CRect(10, 40, 400, 350));
}

TEST(AnchorLayout, MinimumSizeStopsTheEdgeBeingDragged)
{
    const CRect tooSmall(100, 200, 300, 350); // 200 by 150
    const struct
    {
        UINT side;
        CRect expected;
    } cases[] = {
        {WMSZ_LEFT, CRect(300 - 480, 200, 300, 200 + 400)},
        {WMSZ_RIGHT, CRect(100, 200, 100 + 480, 200 + 400)},
        {WMSZ_TOP, CRect(100, 350 - 400, 100 + 480, 350)},
        {WMSZ_TOPLEFT, CRect(300 - 480, 350 - 400, 300, 350)},
        {WMSZ_TOPRIGHT, CRect(100, 350 - 400, 100 + 480, 350)},
        {WMSZ_BOTTOM, CRect(100, 200, 100 + 480, 200 + 400)},
        {WMSZ_BOTTOMLEFT, CRect(300 - 480, 200, 300, 200 + 400)},
        {WMSZ_BOTTOMRIGHT, CRect(100, 200, 100 + 480, 200 + 400)},
    };
    for (const auto& c : cases)
    {
        CRect r = tooSmall;
        EnforceMinimumWindowSize(c.side, &r);
        EXPECT_EQ(r, c.expected) << "side " << c.side;
        // A rectangle at or above the minimum is left alone.
        CRect big(10, 20, 10 + 480, 20 + 400);
        EnforceMinimumWindowSize(c.side, &big);
        EXPECT_EQ(big, CRect(10, 20, 490, 420));
    }
}

TEST(ColorConversion, EveryByteSurvivesTheRoundTrip)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(ColorComponentToByte(ColorByteToComponent(static_cast<BYTE>(b))), b);
}

TEST(ColorConversion, InitialColoursArePreselectedAsTruncatedBytes)
{
    const float background[3] = {0.75f, 0.75f, 0.75f};
    const float facets[3] = {0.5f, 0.75f, 1.0f};
    EXPECT_EQ(ColorToRef(background), RGB(191, 191, 191));
    EXPECT_EQ(ColorToRef(facets), RGB(127, 191, 255));
    float rgb[3];
    ColorFromRef(RGB(12, 34, 56), rgb);
    EXPECT_EQ(ColorToRef(rgb), RGB(12, 34, 56));
    EXPECT_FLOAT_EQ(rgb[0], 12.0f / 255.0f);
}
} // namespace
