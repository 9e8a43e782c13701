#include "CutFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>

namespace
{
constexpr int kStonesOfEachKind = 3000;
constexpr int kSamples = 512;
constexpr int kUpperOutline = 58;
constexpr int kLowerOutline = 570;
constexpr double kThickGirdle = 1e-6;

std::string Describe(const CutParameters& c)
{
    std::ostringstream out;
    out.precision(17);
    out << c.tableSemiDiameter << ' ' << c.diamondSemiDiameter << ' ' << c.crownAngle << ' '
        << c.upperGirdlePoint << ' ' << c.upperGirdleAngle << ' ' << c.pavilionAngle << ' '
        << c.lowerGirdlePoint << ' ' << c.lowerGirdleAngle << ' ' << c.girdleThickness;
    return out.str();
}

// What the girdle's counts are made of, read back from the stored outline heights.
struct GirdleTally
{
    int openSamples = 0;
    int runs = 0;
    int runsToTheEnd = 0;
};

GirdleTally TallyGirdle(const GeneratedCut& stone)
{
    auto good = [&](int k)
    {
        k %= kSamples;
        return stone.Vertex(kLowerOutline + k)[2] > stone.Vertex(kUpperOutline + k)[2];
    };
    auto open = [&](int k) { return good(k) && good(k + 1); };
    GirdleTally tally;
    for (int x = 0; x < 16; ++x)
    {
        bool started = false;
        bool ended = false;
        for (int j = 0; j < 32; ++j)
        {
            const int k = 32 * x + j;
            // A closed sample alone at a segment's end is banded over, not closed.
            const bool lone = !started && (j == 31 || (j == 0 && open(k + 1)));
            if (open(k) || lone)
            {
                ++tally.openSamples;
                ended = ended || started;
            }
            else
            {
                started = true;
            }
        }
        tally.runs += started ? 1 : 0;
        tally.runsToTheEnd += started && !ended ? 1 : 0;
    }
    return tally;
}

bool IsModerate(const double* v)
{
    for (int c = 0; c < 3; ++c)
    {
        if (!(std::fabs(v[c]) < 1e100))
        {
            return false;
        }
    }
    return true;
}

// Checks that hold for every stone, however odd its proportions.
void CheckStructure(const GeneratedCut& stone)
{
    ASSERT_GE(stone.facets, 80);
    ASSERT_LE(stone.facets, kCutMaxFacets);
    ASSERT_LE(stone.vertexCount, kCutMaxVertices);
    if (stone.cut.girdleThickness > kThickGirdle)
    {
        const GirdleTally tally = TallyGirdle(stone);
        EXPECT_EQ(stone.facets, 80 + 4 * tally.openSamples + 8 * tally.runs);
        EXPECT_EQ(stone.vertexCount,
                  1082 + 2 * tally.openSamples + 2 * tally.runs + 2 * tally.runsToTheEnd);
    }
    else
    {
        EXPECT_EQ(stone.facets, 80);
        EXPECT_EQ(stone.vertexCount, 42);
    }
    for (int k = 0; k < stone.facets; ++k)
    {
        ASSERT_EQ(stone.mesh.faceTable[k].vertexCount, 3) << k;
        ASSERT_EQ(stone.mesh.faceTable[k].firstIndex, 3 * k) << k;
        for (int c = 0; c < 3; ++c)
        {
            const int index = stone.Corners(k)[c];
            ASSERT_GE(index, 0) << k;
            ASSERT_LT(index, stone.vertexCount) << k;
        }
        const double* n = stone.Normal(k);
        const double len2 = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
        if (len2 != 0.0)
        {
            ASSERT_NEAR(len2, 1.0, 1e-12) << k;
        }
        else
        {
            ASSERT_TRUE(n[0] == 0.0 && n[1] == 0.0 && n[2] == 0.0) << k;
        }
    }
    // With a finite frame of corners, everything derived from it is finite too: the
    // crossing points of a run included, whether or not they could be constructed.
    bool moderate = true;
    for (int i = 0; i < 58 && i < stone.vertexCount; ++i)
    {
        moderate = moderate && IsModerate(stone.Vertex(i));
    }
    if (moderate)
    {
        for (int i = 0; i < stone.vertexCount; ++i)
        {
            const double* v = stone.Vertex(i);
            ASSERT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2])) << i;
        }
    }
}

// The stored normal and the corner order agree wherever the triangle is well shaped. The
// pavilion's normals were taken before it moved down by the girdle thickness; a thickness
// far beyond the stone's size rounds the moved pavilion out of shape, so for odd stones
// they are checked on the same stone without band instead.
void CheckWinding(const GeneratedCut& stone, bool bMovedPavilion)
{
    for (int k = 0; k < stone.facets; ++k)
    {
        if (!bMovedPavilion && k >= 48 && k < 80 && stone.vertexCount > 42)
        {
            continue;
        }
        const std::int32_t* c = stone.Corners(k);
        const double* a = stone.Vertex(c[0]);
        const double* b = stone.Vertex(c[1]);
        const double* d = stone.Vertex(c[2]);
        long double u[3], v[3];
        for (int i = 0; i < 3; ++i)
        {
            u[i] = static_cast<long double>(b[i]) - a[i];
            v[i] = static_cast<long double>(d[i]) - a[i];
        }
        const long double x = u[1] * v[2] - u[2] * v[1];
        const long double y = u[2] * v[0] - u[0] * v[2];
        const long double z = u[0] * v[1] - u[1] * v[0];
        const long double area = std::sqrt(x * x + y * y + z * z);
        const long double edges = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]) *
                                  std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (!(area > 1e-6L * edges) || !std::isfinite(static_cast<double>(area)))
        {
            continue;
        }
        const double* n = stone.Normal(k);
        const long double along = (n[0] * x + n[1] * y + n[2] * z) / area;
        ASSERT_GT(along, 1 - 1e-6L) << "facet " << k;
    }
}

double Radial(const GeneratedCut& stone, int k)
{
    const std::int32_t* c = stone.Corners(k);
    double cx = 0.0;
    double cy = 0.0;
    for (int i = 0; i < 3; ++i)
    {
        cx += stone.Vertex(c[i])[0];
        cy += stone.Vertex(c[i])[1];
    }
    return stone.Normal(k)[0] * cx + stone.Normal(k)[1] * cy;
}

double Dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// A well-proportioned stone faces outwards: the table into the stone, crown and pavilion
// away from the axis and up or down; on a full band the band and crown fans face out and
// the pavilion fans against their lower girdle facets.
void CheckOrientation(const GeneratedCut& stone)
{
    for (int k = 0; k < 8; ++k)
    {
        EXPECT_EQ(stone.Normal(k)[2], 1.0) << k;
    }
    for (int k = 8; k < 80; ++k)
    {
        EXPECT_GT(Radial(stone, k), 0.0) << k;
        if (k < 48)
        {
            EXPECT_LT(stone.Normal(k)[2], 0.0) << k;
        }
        else
        {
            EXPECT_GT(stone.Normal(k)[2], 0.0) << k;
        }
    }
    if (!(stone.cut.girdleThickness > kThickGirdle) || TallyGirdle(stone).openSamples != kSamples)
    {
        return;
    }
    for (int sample = 0; sample < kSamples; ++sample)
    {
        const int f = 80 + 4 * sample;
        const int segment = sample / 32;
        EXPECT_GT(Radial(stone, f), 0.0) << f;
        EXPECT_GT(Radial(stone, f + 1), 0.0) << f;
        EXPECT_GT(Dot(stone.Normal(f + 2), stone.Normal(32 + segment)), 0.0) << f;
        EXPECT_LT(Dot(stone.Normal(f + 3), stone.Normal(48 + segment)), 0.0) << f;
    }
}

CutParameters RealisticStone(std::mt19937_64& rng)
{
    auto in = [&](double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng); };
    CutParameters c;
    c.diamondSemiDiameter = in(1.0, 10.0);
    const double r = c.diamondSemiDiameter;
    c.tableSemiDiameter = r * in(0.45, 0.6);
    c.crownAngle = in(25.0, 40.0);
    c.upperGirdlePoint = r * in(0.7, 0.9);
    c.pavilionAngle = in(38.0, 43.0);
    c.lowerGirdlePoint = r * in(0.2, 0.8);
    c.girdleThickness = rng() % 8 == 0 ? 0.0 : r * in(0.0, 0.06);
    return c;
}

CutParameters AbsurdStone(std::mt19937_64& rng)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double palette[] = {std::numeric_limits<double>::quiet_NaN(),
                              kInf,
                              -kInf,
                              1e308,
                              -1e308,
                              std::numeric_limits<double>::max(),
                              0.0,
                              -0.0,
                              std::numeric_limits<double>::denorm_min(),
                              1e-300,
                              -1.0,
                              -90.0,
                              90.0,
                              87.0,
                              180.0,
                              1e6,
                              -1e6,
                              1e-6,
                              1.5e-6};
    CutParameters c = RealisticStone(rng);
    double* fields[] = {&c.tableSemiDiameter, &c.diamondSemiDiameter, &c.crownAngle,
                        &c.upperGirdlePoint,  &c.upperGirdleAngle,    &c.pavilionAngle,
                        &c.lowerGirdlePoint,  &c.lowerGirdleAngle,    &c.girdleThickness};
    for (double* f : fields)
    {
        switch (rng() % 4)
        {
        case 0:
            *f = palette[rng() % (sizeof palette / sizeof palette[0])];
            break;
        case 1:
            *f = std::uniform_real_distribution<>(-1000.0, 1000.0)(rng);
            break;
        default:
            break;
        }
    }
    return c;
}

TEST(Invariants, RealisticStones)
{
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < kStonesOfEachKind; ++i)
    {
        const CutParameters in = RealisticStone(rng);
        SCOPED_TRACE(Describe(in));
        const GeneratedCut stone = Generate(in);
        ASSERT_NO_FATAL_FAILURE(CheckStructure(stone));
        ASSERT_NO_FATAL_FAILURE(CheckWinding(stone, true));
        CheckOrientation(stone);
        if (HasFailure())
        {
            return;
        }
    }
}

TEST(Invariants, AbsurdStones)
{
    std::mt19937_64 rng(77);
    for (int i = 0; i < kStonesOfEachKind; ++i)
    {
        const CutParameters in = AbsurdStone(rng);
        SCOPED_TRACE(Describe(in));
        const GeneratedCut stone = Generate(in);
        ASSERT_NO_FATAL_FAILURE(CheckStructure(stone));
        ASSERT_NO_FATAL_FAILURE(CheckWinding(stone, false));
        CutParameters withoutBand = in;
        withoutBand.girdleThickness = 0.0;
        ASSERT_NO_FATAL_FAILURE(CheckWinding(Generate(withoutBand), true));
        if (HasFailure())
        {
            return;
        }
    }
}
} // namespace
