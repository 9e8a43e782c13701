#include "CutFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// The default stone's depths below the table, to the last bit.
constexpr double kCrownHeight = 1.7411909706599946;
constexpr double kStarDepth = 0.545348310023666;
constexpr double kLowerPointDepth = 5.210428692561866;
constexpr double kCuletDepth = 6.207267967865757;

struct VertexCase
{
    int index;
    double x, y, z;
};

// Twelve significant digits.
const VertexCase kDefaultVertices[] = {
    {0, 0, 0, 0},
    {1, 2.65, 0, 0},
    {2, 1.87383297014, 1.87383297014, 0},
    {3, 1.62265700887e-16, 2.65, 0},
    {9, 3.44052737907, 1.42511310213, 0.545348310024},
    {10, 1.42511310213, 3.44052737907, 0.545348310024},
    {17, 5.174, 0, 1.74119097066},
    {18, 4.78015270121, 1.98000407906, 1.74119097066},
    {33, 1.15484941564, 0.478354290456, 5.47042869256},
    {41, 0, 0, 6.46726796787},
    {42, 5.174, 0, 2.00119097066},
    {43, 4.78015270121, 1.98000407906, 2.00119097066},
};

void ExpectTwelveDigits(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-11 + 1e-300);
}

TEST(VertexLayout, DefaultStoneVertices)
{
    const GeneratedCut stone = Generate(kDefaultCut);
    for (const VertexCase& c : kDefaultVertices)
    {
        SCOPED_TRACE(c.index);
        const double* v = stone.Vertex(c.index);
        ExpectTwelveDigits(v[0], c.x);
        ExpectTwelveDigits(v[1], c.y);
        ExpectTwelveDigits(v[2], c.z);
    }
}

TEST(VertexLayout, DefaultStoneDepthsAndExactZeros)
{
    const GeneratedCut stone = Generate(kDefaultCut);
    for (int i = 9; i <= 16; ++i)
    {
        EXPECT_EQ(stone.Vertex(i)[2], kStarDepth) << i;
    }
    for (int i = 17; i <= 32; ++i)
    {
        EXPECT_EQ(stone.Vertex(i)[2], kCrownHeight) << i;
    }
    for (int c = 0; c < 3; ++c)
    {
        EXPECT_EQ(stone.Vertex(0)[c], 0.0);
    }
    for (int i = 1; i <= 8; ++i)
    {
        EXPECT_EQ(stone.Vertex(i)[2], 0.0) << i;
    }
    EXPECT_EQ(stone.Vertex(41)[0], 0.0);
    EXPECT_EQ(stone.Vertex(41)[1], 0.0);
}

TEST(VertexLayout, ThickGirdleMovesThePavilionDownAsAWhole)
{
    const GeneratedCut thin = Generate(DefaultCutWith(&CutParameters::girdleThickness, 0.0));
    const GeneratedCut thick = Generate(kDefaultCut);
    ASSERT_EQ(thin.vertexCount, 42);
    EXPECT_EQ(thin.Vertex(33)[2], kLowerPointDepth);
    EXPECT_EQ(thin.Vertex(41)[2], kCuletDepth);
    for (int i = 0; i <= 41; ++i)
    {
        SCOPED_TRACE(i);
        const double z = thin.Vertex(i)[2];
        EXPECT_EQ(thick.Vertex(i)[0], thin.Vertex(i)[0]);
        EXPECT_EQ(thick.Vertex(i)[1], thin.Vertex(i)[1]);
        EXPECT_EQ(thick.Vertex(i)[2], i >= 33 ? 0.26 + z : z);
    }
    // The lower ring repeats the upper one a girdle thickness further down.
    for (int j = 0; j < 16; ++j)
    {
        SCOPED_TRACE(j);
        const double* upper = thick.Vertex(17 + j);
        const double* lower = thick.Vertex(42 + j);
        EXPECT_EQ(lower[0], upper[0]);
        EXPECT_EQ(lower[1], upper[1]);
        EXPECT_EQ(lower[2], 0.26 + upper[2]);
    }
}

TEST(VertexLayout, TableShrunkToItsCentreKeepsEightCorners)
{
    CutParameters cut = kDefaultCut;
    cut.crownAngle = 87.0;
    cut.upperGirdlePoint = cut.diamondSemiDiameter;
    const GeneratedCut stone = Generate(cut);
    ASSERT_EQ(stone.cut.tableSemiDiameter, 0.0);
    for (int i = 1; i <= 8; ++i)
    {
        SCOPED_TRACE(i);
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(stone.Vertex(i)[c], 0.0);
        }
    }
    // Each table triangle has no area left and gets the zero normal.
    for (int k = 0; k < 8; ++k)
    {
        SCOPED_TRACE(k);
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(stone.Normal(k)[c], 0.0);
        }
    }
}
} // namespace
