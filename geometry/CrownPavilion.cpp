#include "geometry/CutBuilder.h"

#include <cmath>

namespace
{
constexpr double kThickGirdle = 1e-6;

// Vertex numbers of the rings; i counts from 1 and wraps after 8, j from 0 after 16.
constexpr int kCentre = 0;
constexpr int kCulet = 41;
constexpr int Table(int i)
{
    return (i - 1) % 8 + 1;
}
constexpr int Star(int i)
{
    return (i + 7) % 8 + 9;
}
constexpr int UpperRing(int j)
{
    return j % 16 + 17;
}
constexpr int LowerPoint(int i)
{
    return (i + 7) % 8 + 33;
}

// Facet numbers and vertex range of the pavilion, and how far the lower ring lies from
// the upper one in the buffer.
constexpr int kFirstPavilionFacet = 48;
constexpr int kCrownPavilionFacets = 80;
constexpr int kFirstLowerPoint = 33;
constexpr int kFirstUpperRing = 17;
constexpr int kLastUpperRing = 32;
constexpr int kLowerRingOffset = 25;

void AddRing(CutWriter& writer, int count, double step, double turn, double radius, double z)
{
    for (int i = 0; i < count; ++i)
    {
        const double theta = (i * step + turn) * kCutDegToRad;
        writer.AddVertex(std::cos(theta) * radius, std::sin(theta) * radius, z);
    }
}
} // namespace

void BuildCrownAndPavilion(CutWriter& writer, const CutParameters& cut)
{
    const double T = cut.tableSemiDiameter;
    const double R = cut.diamondSemiDiameter;
    const double U = cut.upperGirdlePoint;
    const double L = cut.lowerGirdlePoint;
    const double G = cut.girdleThickness;

    writer.AddVertex(0.0, 0.0, 0.0);
    AddRing(writer, 8, 45.0, 0.0, T, 0.0);
    for (int i = 1; i <= 8; ++i)
    {
        writer.AddFacet(kCentre, Table(i), Table(i + 1));
    }

    const double H = std::tan(cut.crownAngle * kCutDegToRad) * (R - T);
    const double S = H - std::tan(cut.upperGirdleAngle * kCutDegToRad) * (R - U);
    AddRing(writer, 8, 45.0, 22.5, U, S);
    for (int i = 1; i <= 8; ++i)
    {
        writer.AddFacet(Table(i), Table(i + 1), Star(i));
    }

    AddRing(writer, 16, 22.5, 0.0, R, H);
    for (int i = 1; i <= 8; ++i)
    {
        writer.AddFacet(Table(i), Star(i), UpperRing(2 * i - 2));
        writer.AddFacet(UpperRing(2 * i - 2), Star(i - 1), Table(i));
    }
    for (int i = 1; i <= 8; ++i)
    {
        writer.AddFacet(Star(i), UpperRing(2 * i - 1), UpperRing(2 * i - 2));
        writer.AddFacet(Star(i), UpperRing(2 * i), UpperRing(2 * i - 1));
    }

    const double P = std::tan(cut.lowerGirdleAngle * kCutDegToRad) * (R - L) + H;
    AddRing(writer, 8, 45.0, 22.5, L, P);
    for (int i = 1; i <= 8; ++i)
    {
        writer.AddFacet(LowerPoint(i), UpperRing(2 * i - 2), UpperRing(2 * i - 1));
        writer.AddFacet(LowerPoint(i), UpperRing(2 * i - 1), UpperRing(2 * i));
    }

    const double C = std::tan(cut.pavilionAngle * kCutDegToRad) * R + H;
    writer.AddVertex(0.0, 0.0, C);
    for (int i = 1; i <= 8; ++i)
    {
        writer.AddFacet(kCulet, LowerPoint(i - 1), UpperRing(2 * i - 2));
        writer.AddFacet(UpperRing(2 * i - 2), LowerPoint(i), kCulet);
    }

    if (!(G > kThickGirdle))
    {
        return;
    }
    // The pavilion moves down rigidly by the girdle thickness and hangs from a second ring,
    // so its normals stay as they are.
    for (int v = kFirstLowerPoint; v <= kCulet; ++v)
    {
        double& z = writer.vertices[3 * v + 2];
        z = G + z;
    }
    for (int v = kFirstUpperRing; v <= kLastUpperRing; ++v)
    {
        const double* p = writer.Vertex(v);
        writer.AddVertex(p[0], p[1], G + p[2]);
    }
    for (int i = 3 * kFirstPavilionFacet; i < 3 * kCrownPavilionFacets; ++i)
    {
        std::int32_t& index = writer.indices[i];
        if (index >= kFirstUpperRing && index <= kLastUpperRing)
        {
            index += kLowerRingOffset;
        }
    }
}
