#include "CutFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Same double, sign of zero and NaN included.
bool SameBits(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
    {
        return std::isnan(a) && std::isnan(b);
    }
    return a == b && std::signbit(a) == std::signbit(b);
}

struct ReconcileCase
{
    const char* what;
    CutParameters in;
    CutParameters out;
};

// Inputs carry junk in the derived angles where they are ignored, to show that they are.
const ReconcileCase kCases[] = {
    {"defaults",
     {2.65, 5.174, 34.6, 3.724, 123.0, 40.8, 1.25, -7.0, 0.26},
     {2.65, 5.174, 34.6, 3.724, 39.51305271431356, 40.8, 1.25, 41.48013857405244, 0.26}},
    // 0.2587, as the product rounds it.
    {"table too small",
     {0.1, 5.174, 34.6, 3.724, 0.0, 40.8, 1.25, 0.0, 0.26},
     {0.05 * 5.174, 5.174, 34.6, 3.724, 39.51305271431356, 40.8, 1.25, 41.48013857405244, 0.26}},
    {"table too large lifts the star points, then falls to them",
     {6.0, 5.174, 34.6, 3.724, 0.0, 40.8, 1.25, 0.0, 0.26},
     {4.195470980783119, 5.174, 34.6, 4.541145066152728, 46.84747015338577, 40.8, 1.25,
      41.48013857405244, 0.26}},
    {"star points inside the table",
     {2.65, 5.174, 34.6, 2.0, 0.0, 40.8, 1.25, 0.0, 0.26},
     {2.261916485072175, 5.174, 34.6, 2.44828076115491, 36.39098804771353, 40.8, 1.25,
      41.48013857405244, 0.26}},
    {"star points on the girdle",
     {2.65, 5.174, 34.6, 5.174, 0.0, 40.8, 1.25, 0.0, 0.26},
     {2.65, 5.174, 34.6, 5.1592689181311275, 87.00000000000014, 40.8, 1.25, 41.48013857405244,
      0.26}},
    {"star points beyond the girdle",
     {2.65, 5.174, 34.6, 9.0, 0.0, 40.8, 1.25, 0.0, 0.26},
     {2.65, 5.174, 34.6, 5.1592689181311275, 87.00000000000014, 40.8, 1.25, 41.48013857405244,
      0.26}},
    {"steep crown with star points on the girdle shrinks the table to its centre",
     {2.65, 5.174, 90.0, 5.174, 0.0, 40.8, 1.25, 0.0, 0.26},
     {0.0, 5.174, 87.0, -0.0, 87.0, 40.8, 1.25, 41.48013857405244, 0.26}},
    {"main angles capped, derived angles not",
     {2.65, 5.174, 95.0, 3.724, 0.0, 100.0, 1.25, 0.0, 0.26},
     {2.65, 5.174, 87.0, 3.724, 87.4898976106162, 87.0, 1.25, 87.07089772919623, 0.26}},
    {"negative crown angle raises the table to the star points",
     {2.65, 5.174, -10.0, 3.724, 0.0, 40.8, 1.25, 0.0, 0.26},
     {3.440527379072032, 5.174, -10.0, 3.724, -11.903596740116567, 40.8, 1.25, 41.48013857405244,
      0.26}},
    {"flat crown",
     {2.65, 5.174, 0.0, 3.724, 55.0, 40.8, 1.25, 0.0, 0.26},
     {2.65, 5.174, 0.0, 3.724, 0.0, 40.8, 1.25, 41.48013857405244, 0.26}},
    {"lower-girdle points too far out",
     {2.65, 5.174, 34.6, 3.724, 0.0, 40.8, 6.0, 0.0, 0.26},
     {2.65, 5.174, 34.6, 3.724, 39.51305271431356, 40.8, 4.9153, 64.6587456135652, 0.26}},
    {"negative lower-girdle points stay",
     {2.65, 5.174, 34.6, 3.724, 0.0, 40.8, -1.0, 0.0, 0.26},
     {2.65, 5.174, 34.6, 3.724, 39.51305271431356, 40.8, -1.0, 40.44873888997727, 0.26}},
    {"no girdle radius: lower angle kept as read",
     {2.65, 0.0, 34.6, 3.724, 0.0, 40.8, 1.25, 12.5, 0.26},
     {0.0, 0.0, 34.6, -0.0, kNaN, 40.8, 0.0, 12.5, 0.26}},
};

TEST(Reconcile, CorrectsAndDerivesTheNineValues)
{
    const double CutParameters::*fields[] = {
        &CutParameters::tableSemiDiameter, &CutParameters::diamondSemiDiameter,
        &CutParameters::crownAngle,        &CutParameters::upperGirdlePoint,
        &CutParameters::upperGirdleAngle,  &CutParameters::pavilionAngle,
        &CutParameters::lowerGirdlePoint,  &CutParameters::lowerGirdleAngle,
        &CutParameters::girdleThickness};
    for (const ReconcileCase& c : kCases)
    {
        SCOPED_TRACE(c.what);
        const GeneratedCut stone = Generate(c.in);
        EXPECT_GT(stone.facets, 0);
        for (int f = 0; f < 9; ++f)
        {
            EXPECT_PRED2(SameBits, stone.cut.*fields[f], c.out.*fields[f]) << "field " << f;
        }
    }
}

// The panel shows the defaults' derived angles with three decimals.
TEST(Reconcile, DefaultDerivedAnglesRoundToThePanelFigures)
{
    const GeneratedCut stone = Generate(kDefaultCut);
    EXPECT_EQ(std::round(stone.cut.upperGirdleAngle * 1000), 39513);
    EXPECT_EQ(std::round(stone.cut.lowerGirdleAngle * 1000), 41480);
}

// All values are read before any is written, so one variable passed for several
// parameters sees its incoming value in each of them.
TEST(Reconcile, ReadsEveryValueBeforeWritingAny)
{
    CutMesh mesh;
    double shared = 3.0;
    double upperAngle = 0.0;
    double lowerAngle = 0.0;
    CutParameters expected{shared, shared, shared, shared, 0.0, shared, shared, 0.0, shared};
    const GeneratedCut reference = Generate(expected);
    const int n = GenerateBrilliantCut(mesh.vertices, mesh.indexList, mesh.faceTable,
                                       mesh.faceNormals, shared, shared, shared, shared, upperAngle,
                                       shared, shared, lowerAngle, shared);
    EXPECT_EQ(n, reference.facets);
    // The last write is the girdle thickness, which passes through unchanged.
    EXPECT_EQ(shared, 3.0);
    EXPECT_PRED2(SameBits, upperAngle, reference.cut.upperGirdleAngle);
    EXPECT_PRED2(SameBits, lowerAngle, reference.cut.lowerGirdleAngle);
}
} // namespace
