#include "CutFixture.h"
#include "geometry/SegmentPlane.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace
{
constexpr int kUpperOutline = 58;
constexpr int kLowerOutline = 570;
constexpr double kRadToDeg = 180 / 3.141592653589793;

double Top(const GeneratedCut& stone, int k)
{
    return stone.Vertex(kUpperOutline + k)[2];
}
double Bottom(const GeneratedCut& stone, int k)
{
    return stone.Vertex(kLowerOutline + k)[2];
}
bool IsOpen(const GeneratedCut& stone, int k)
{
    const int next = (k + 1) % 512;
    return Bottom(stone, k) > Top(stone, k) && Bottom(stone, next) > Top(stone, next);
}

std::array<int, 3> CornersOf(const GeneratedCut& stone, int k)
{
    const std::int32_t* c = stone.Corners(k);
    return {c[0], c[1], c[2]};
}

TEST(Girdle, CountsFollowTheGirdleThickness)
{
    const struct
    {
        double thickness;
        int facets;
        int vertices;
    } cases[] = {
        {0.26, 2128, 2106},  // every sample open
        {0.05, 464, 1242},   // runs ending inside their segments
        {0.02, 208, 1146},   // runs from corner to corner
        {0.0005, 208, 1146}, //
        {1e-6, 80, 42},      // no band
        {0.0, 80, 42},       //
        {-0.3, 80, 42},      //
        {std::numeric_limits<double>::quiet_NaN(), 80, 42},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.thickness);
        const GeneratedCut stone =
            Generate(DefaultCutWith(&CutParameters::girdleThickness, c.thickness));
        EXPECT_EQ(stone.facets, c.facets);
        EXPECT_EQ(stone.vertexCount, c.vertices);
    }
}

TEST(Girdle, DefaultStoneOutlinesAndFans)
{
    const GeneratedCut stone = Generate(kDefaultCut);
    for (int k = 0; k < 512; ++k)
    {
        ASSERT_TRUE(IsOpen(stone, k)) << k;
    }
    // Under a girdle corner the outlines meet the two rings; mid-segment the upper one
    // has dipped and the lower one risen.
    EXPECT_NEAR(Top(stone, 0), 1.7411909706599946, 1e-9);
    EXPECT_NEAR(Bottom(stone, 0), 2.0011909706599944, 1e-9);
    EXPECT_NEAR(Top(stone, 16), 1.82479, 1e-5);
    EXPECT_NEAR(Bottom(stone, 16), 1.91157, 1e-5);
    // Every sample lies on the girdle circle.
    for (int k = 0; k < 512; ++k)
    {
        for (int outline : {kUpperOutline, kLowerOutline})
        {
            const double* v = stone.Vertex(outline + k);
            EXPECT_NEAR(std::hypot(v[0], v[1]), 5.174, 1e-12) << k;
        }
    }
    // Sample 0: band, band, crown fan, pavilion fan, apexes stored per sample.
    const double apex[3] = {4.9770763506067, 0.990002039528487, 1.74119097065999};
    for (int c = 0; c < 3; ++c)
    {
        EXPECT_NEAR(stone.Vertex(1082)[c], apex[c], 1e-13);
        EXPECT_NEAR(stone.Vertex(1083)[c], c == 2 ? 2.00119097065999 : apex[c], 1e-13);
    }
    EXPECT_EQ(CornersOf(stone, 80), (std::array<int, 3>{58, 59, 571}));
    EXPECT_EQ(CornersOf(stone, 81), (std::array<int, 3>{58, 571, 570}));
    EXPECT_EQ(CornersOf(stone, 82), (std::array<int, 3>{1082, 59, 58}));
    EXPECT_EQ(CornersOf(stone, 83), (std::array<int, 3>{1083, 571, 570}));
    // The last sample's band reaches back to sample 0.
    EXPECT_EQ(CornersOf(stone, 80 + 4 * 511), (std::array<int, 3>{569, 58, 570}));
}

TEST(Girdle, ThinGirdleClosesEachSegmentOverItsCrossing)
{
    const GeneratedCut stone = Generate(DefaultCutWith(&CutParameters::girdleThickness, 0.05));
    ASSERT_EQ(stone.facets, 464);
    for (int x = 0; x < 16; ++x)
    {
        for (int j = 0; j < 32; ++j)
        {
            EXPECT_EQ(IsOpen(stone, 32 * x + j), j < 2 || j >= 30) << x << " " << j;
        }
    }
    // Segment 0: samples 0, 1, 30, 31 make facets 80-95 and apexes 1082-1089; the run from
    // sample 2 to sample 30 is closed by facets 96-103 over P (1090) and Q (1091).
    const int p = 1090;
    const int q = 1091;
    const int m1 = 1088;
    const int m2 = 1089;
    const std::array<int, 3> closing[] = {
        {p, 572, 60}, {q, 88, 600}, {m1, p, 60}, {m1, q, p},
        {m1, 88, q},  {m2, 572, p}, {m2, p, q},  {m2, q, 600},
    };
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ(CornersOf(stone, 96 + i), closing[i]) << i;
    }
    const double* vp = stone.Vertex(p);
    const double* vq = stone.Vertex(q);
    EXPECT_NEAR(vp[2], 1.76532, 1e-5);
    EXPECT_EQ(vq[2], vp[2]);
    EXPECT_NEAR(std::atan2(vp[1], vp[0]) * kRadToDeg, 1.766, 1e-3);
    EXPECT_NEAR(std::atan2(vq[1], vq[0]) * kRadToDeg, 20.734, 1e-3);
    EXPECT_NEAR(std::hypot(vp[0], vp[1]), 5.174, 1e-12);
    EXPECT_NEAR(std::hypot(vq[0], vq[1]), 5.174, 1e-12);
}

TEST(Girdle, VeryThinGirdleRunsFromCornerToCorner)
{
    const GeneratedCut stone = Generate(DefaultCutWith(&CutParameters::girdleThickness, 0.02));
    ASSERT_EQ(stone.facets, 208);
    for (int x = 0; x < 16; ++x)
    {
        SCOPED_TRACE(x);
        const int nx = (x + 1) % 16;
        const int a = 17 + x, ab = 42 + x, b = 17 + nx, bb = 42 + nx;
        const int m1 = 1082 + 4 * x, m2 = m1 + 1, p = m1 + 2, q = m1 + 3;
        const int f = 80 + 8 * x;
        EXPECT_EQ(CornersOf(stone, f), (std::array<int, 3>{p, ab, a}));
        EXPECT_EQ(CornersOf(stone, f + 1), (std::array<int, 3>{q, b, bb}));
        EXPECT_EQ(CornersOf(stone, f + 4), (std::array<int, 3>{m1, b, q}));
        EXPECT_EQ(CornersOf(stone, f + 7), (std::array<int, 3>{m2, q, bb}));
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(stone.Vertex(m1)[c], (stone.Vertex(a)[c] + stone.Vertex(b)[c]) * 0.5);
            EXPECT_EQ(stone.Vertex(m2)[c], (stone.Vertex(ab)[c] + stone.Vertex(bb)[c]) * 0.5);
        }
    }
}

// A girdle radius equal to the lower-girdle points (possible only below zero) collapses
// every lower girdle facet: its zero normal puts the lower outline at the far end of the
// probe, no sample is open, and without a plane to cross the crown with, each run closes
// over the points halfway up the band at its two girdle corners.
TEST(Girdle, DegeneratePavilionPlaneClosesAtMidBand)
{
    CutParameters cut = kDefaultCut;
    cut.diamondSemiDiameter = -5.0;
    cut.lowerGirdlePoint = -5.0;
    const GeneratedCut stone = Generate(cut);
    ASSERT_EQ(stone.facets, 208);
    ASSERT_EQ(stone.vertexCount, 1146);
    for (int k = 0; k < 512; ++k)
    {
        ASSERT_EQ(Bottom(stone, k), -1000000.0) << k;
    }
    for (int x = 0; x < 16; ++x)
    {
        SCOPED_TRACE(x);
        const int nx = (x + 1) % 16;
        const double* p = stone.Vertex(1082 + 4 * x + 2);
        const double* q = stone.Vertex(1082 + 4 * x + 3);
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(p[c], (stone.Vertex(17 + x)[c] + stone.Vertex(42 + x)[c]) * 0.5);
            EXPECT_EQ(q[c], (stone.Vertex(17 + nx)[c] + stone.Vertex(42 + nx)[c]) * 0.5);
        }
    }
}

struct SegmentCase
{
    const char* what;
    double p0[3], p1[3], n[3], q[3];
    bool meets;
    double at[3];
};

const SegmentCase kSegmentCases[] = {
    {"crosses at a quarter", {0, 0, 0}, {0, 0, 4}, {0, 0, 1}, {5, 5, 1}, true, {0, 0, 1}},
    {"first end on the plane", {1, 2, 3}, {1, 2, 9}, {0, 0, -2}, {0, 0, 3}, true, {1, 2, 3}},
    {"first end within 1e-6", {1, 2, 3}, {1, 2, 9}, {0, 0, 1}, {0, 0, 3 + 5e-7}, true, {1, 2, 3}},
    {"second end on the plane", {1, 2, 3}, {1, 2, 9}, {0, 0, 1}, {0, 0, 9}, true, {1, 2, 9}},
    {"segment inside the plane", {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {0, 0, 0}, true, {1, 0, 0}},
    {"both ends above", {0, 0, 2}, {0, 0, 4}, {0, 0, 1}, {0, 0, 1}, false, {}},
    {"both ends below", {0, 0, -2}, {0, 0, -4}, {0, 0, 1}, {0, 0, 1}, false, {}},
    {"parallel off the plane", {0, 0, 2}, {1, 0, 2}, {0, 0, 1}, {0, 0, 1}, false, {}},
    {"normal not a number",
     {0, 0, 0},
     {0, 0, 4},
     {0, 0, std::numeric_limits<double>::quiet_NaN()},
     {0, 0, 1},
     false,
     {}},
};

TEST(Girdle, IntersectSegmentPlaneCases)
{
    for (const SegmentCase& c : kSegmentCases)
    {
        SCOPED_TRACE(c.what);
        double at[3] = {-3, -3, -3};
        const bool meets =
            IntersectSegmentPlane(at[0], at[1], at[2], c.p0[0], c.p0[1], c.p0[2], c.p1[0], c.p1[1],
                                  c.p1[2], c.n[0], c.n[1], c.n[2], c.q[0], c.q[1], c.q[2]);
        EXPECT_EQ(meets, c.meets);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(at[i], c.meets ? c.at[i] : -3.0) << i;
        }
    }
}
} // namespace
