#include "CutFixture.h"
#include "geometry/FaceNormal.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
using Triangle = std::array<int, 3>;

// Vertex names of the crown and pavilion; i counts 1..8 and wraps, j counts 0..16 and wraps.
int t(int i)
{
    return (i - 1) % 8 + 1;
}
int s(int i)
{
    return i == 0 ? 16 : 8 + i;
}
int g(int j)
{
    return 17 + j % 16;
}
int l(int i)
{
    return i == 0 ? 40 : 32 + i;
}

// The 80 crown and pavilion triangles in buffer order, on a stone without girdle band.
std::vector<Triangle> CrownAndPavilion()
{
    std::vector<Triangle> out;
    for (int i = 1; i <= 8; ++i)
        out.push_back({0, t(i), t(i + 1)});
    for (int i = 1; i <= 8; ++i)
        out.push_back({t(i), t(i + 1), s(i)});
    for (int i = 1; i <= 8; ++i)
    {
        out.push_back({t(i), s(i), g(2 * i - 2)});
        out.push_back({g(2 * i - 2), s(i - 1), t(i)});
    }
    for (int i = 1; i <= 8; ++i)
    {
        out.push_back({s(i), g(2 * i - 1), g(2 * i - 2)});
        out.push_back({s(i), g(2 * i), g(2 * i - 1)});
    }
    for (int i = 1; i <= 8; ++i)
    {
        out.push_back({l(i), g(2 * i - 2), g(2 * i - 1)});
        out.push_back({l(i), g(2 * i - 1), g(2 * i)});
    }
    for (int i = 1; i <= 8; ++i)
    {
        out.push_back({41, l(i - 1), g(2 * i - 2)});
        out.push_back({g(2 * i - 2), l(i), 41});
    }
    return out;
}

Triangle CornersOf(const GeneratedCut& stone, int k)
{
    const std::int32_t* c = stone.Corners(k);
    return {c[0], c[1], c[2]};
}

TEST(Facets, ThinGirdleHasTheEightyTrianglesInOrder)
{
    const GeneratedCut stone = Generate(DefaultCutWith(&CutParameters::girdleThickness, 0.0));
    ASSERT_EQ(stone.facets, 80);
    const std::vector<Triangle> expected = CrownAndPavilion();
    for (int k = 0; k < 80; ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(stone.mesh.faceTable[k].vertexCount, 3);
        EXPECT_EQ(stone.mesh.faceTable[k].firstIndex, 3 * k);
        EXPECT_EQ(CornersOf(stone, k), expected[k]);
    }
}

TEST(Facets, NamedExamples)
{
    const GeneratedCut thin = Generate(DefaultCutWith(&CutParameters::girdleThickness, 0.0));
    const GeneratedCut thick = Generate(kDefaultCut);
    const struct
    {
        const GeneratedCut& stone;
        int facet;
        Triangle corners;
    } cases[] = {
        {thin, 16, {1, 9, 17}},    {thin, 17, {17, 16, 1}},   {thin, 46, {16, 32, 31}},
        {thin, 47, {16, 17, 32}},  {thin, 64, {41, 40, 17}},  {thin, 65, {17, 33, 41}},
        {thick, 48, {33, 42, 43}}, {thick, 64, {41, 40, 42}}, {thick, 16, {1, 9, 17}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(CornersOf(c.stone, c.facet), c.corners) << "facet " << c.facet;
    }
}

// With a band the pavilion hangs from the lower ring: upper-ring corners of facets 48-79
// move by 25, and nothing else changes.
TEST(Facets, ThickGirdleReindexesOnlyThePavilion)
{
    const GeneratedCut thick = Generate(kDefaultCut);
    const std::vector<Triangle> expected = CrownAndPavilion();
    for (int k = 0; k < 80; ++k)
    {
        SCOPED_TRACE(k);
        Triangle corners = expected[k];
        for (int& c : corners)
        {
            if (k >= 48 && c >= 17 && c <= 32)
            {
                c += 25;
            }
        }
        EXPECT_EQ(CornersOf(thick, k), corners);
    }
}

TEST(FaceNormals, DefaultStone)
{
    const GeneratedCut stone = Generate(kDefaultCut);
    const double d = 3.141592653589793 / 180;
    const struct
    {
        int facet;
        double x, y, z;
    } cases[] = {
        {16, std::sin(34.6 * d), 0, -std::cos(34.6 * d)},
        {17, std::sin(34.6 * d), 0, -std::cos(34.6 * d)},
        {64, std::sin(40.8 * d), 0, std::cos(40.8 * d)},
        {65, std::sin(40.8 * d), 0, std::cos(40.8 * d)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.facet);
        const double* n = stone.Normal(c.facet);
        EXPECT_NEAR(n[0], c.x, 1e-12);
        EXPECT_NEAR(n[1], c.y, 1e-12);
        EXPECT_NEAR(n[2], c.z, 1e-12);
    }
    for (int k = 0; k < 8; ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(stone.Normal(k)[0], 0.0);
        EXPECT_EQ(stone.Normal(k)[1], 0.0);
        EXPECT_EQ(stone.Normal(k)[2], 1.0);
    }
    // The pavilion's normals were taken before it moved; moving it changed none of them.
    const GeneratedCut thin = Generate(DefaultCutWith(&CutParameters::girdleThickness, 0.0));
    for (int k = 0; k < 80; ++k)
    {
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(stone.Normal(k)[c], thin.Normal(k)[c]) << k;
        }
    }
}

struct NormalCase
{
    const char* what;
    double a[3], b[3], c[3];
    int result;
    double n[3];
};

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const NormalCase kNormalCases[] = {
    {"facing +x", {2, 0, 0}, {2, 1, 0}, {2, 0, 1}, 0, {1, 0, 0}},
    {"facing +y", {0, 3, 0}, {0, 3, 1}, {1, 3, 0}, 0, {0, 1, 0}},
    {"table winding faces +z", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 0, {0, 0, 1}},
    {"reversed winding", {0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 0, {0, 0, -1}},
    {"corners coincide", {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, -1, {0, 0, 0}},
    {"corners on a line", {0, 0, 0}, {1, 1, 1}, {2, 2, 2}, -1, {0, 0, 0}},
    {"corner not a number", {0, 0, 0}, {1, 0, 0}, {kNaN, 1, 0}, -1, {0, 0, 0}},
    {"depths not a number", {0, 0, kNaN}, {1, 0, kNaN}, {0, 1, kNaN}, -1, {0, 0, 0}},
    {"corner at infinity", {0, 0, 0}, {1, 0, 0}, {0, kInf, 0}, -1, {0, 0, 0}},
    // Squares of the cross product would overflow or underflow; the direction is still
    // well defined.
    {"huge", {0, 0, 0}, {1e300, 0, 0}, {0, 1e300, 0}, 0, {0, 0, 1}},
    {"coordinates near the top of the range",
     {-1e308, 0, 0},
     {1e308, 0, 0},
     {0, 0, 1e308},
     0,
     {0, -1, 0}},
    {"tiny", {0, 0, 0}, {1e-200, 0, 0}, {0, 0, 1e-200}, 0, {0, -1, 0}},
};

TEST(FaceNormals, ComputeFaceNormalCases)
{
    for (const NormalCase& c : kNormalCases)
    {
        SCOPED_TRACE(c.what);
        double n[3] = {7, 7, 7};
        const int result = ComputeFaceNormal(c.a[0], c.a[1], c.a[2], c.b[0], c.b[1], c.b[2], c.c[0],
                                             c.c[1], c.c[2], n[0], n[1], n[2]);
        EXPECT_EQ(result, c.result);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(n[i], c.n[i]) << i;
        }
    }
}

TEST(FaceNormals, SlantedNormalIsUnitAndPerpendicular)
{
    const double a[3] = {0.3, -1.2, 2.0};
    const double b[3] = {1.7, 0.4, 2.5};
    const double c[3] = {-0.6, 0.9, 3.1};
    double n[3];
    ASSERT_EQ(
        ComputeFaceNormal(a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2], n[0], n[1], n[2]),
        0);
    EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0, 1e-15);
    for (const double* p : {b, c})
    {
        const double along = (p[0] - a[0]) * n[0] + (p[1] - a[1]) * n[1] + (p[2] - a[2]) * n[2];
        EXPECT_NEAR(along, 0.0, 1e-15);
    }
}
} // namespace
