#include "geometry/CutBuilder.h"
#include "geometry/SegmentPlane.h"

#include <cmath>

namespace
{
constexpr int kSamples = 512;
constexpr int kSegments = 16;
constexpr int kSamplesPerSegment = kSamples / kSegments;
constexpr double kSampleFraction = 0.001953125; // 1 / kSamples
constexpr double kSegmentFraction = 0.0625;     // 1 / kSegments
constexpr double kProbeReach = 1000000.0;
constexpr double kParallelPlanes = 1e-6;

constexpr int kFirstStar = 9;
constexpr int kFirstUpperRing = 17;
constexpr int kFirstLowerPoint = 33;
constexpr int kFirstLowerRing = 42;
constexpr int kFirstUpperGirdleFacet = 32;
constexpr int kFirstLowerGirdleFacet = 48;
constexpr int kFirstUpperOutline = 58;
constexpr int kFirstLowerOutline = kFirstUpperOutline + kSamples;
constexpr int kFirstGirdleApex = kFirstLowerOutline + kSamples;

struct Point
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Point Midpoint(const double* first, const double* second)
{
    return {(first[0] + second[0]) * 0.5, (first[1] + second[1]) * 0.5,
            (first[2] + second[2]) * 0.5};
}

bool IsFinite(const Point& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The girdle point of the vertical line through (x, y) on a facet plane, or the stated
// depth when the plane is vertical and misses the line.
Point SampleOnPlane(double x, double y, const double* normal, const double* onPlane,
                    double fallbackZ)
{
    Point p;
    if (!IntersectSegmentPlane(p.x, p.y, p.z, x, y, -kProbeReach, x, y, kProbeReach, normal[0],
                               normal[1], normal[2], onPlane[0], onPlane[1], onPlane[2]))
    {
        p = {x, y, fallbackZ};
    }
    return p;
}

class CGirdleBuilder
{
public:
    CGirdleBuilder(CutWriter& writer, double girdleRadius)
        : m_writer(writer), m_dRadius(girdleRadius)
    {
    }

    void BuildOutlines(double girdleThickness);
    void BuildSegment(int segment);

private:
    double Top(int k) const { return m_writer.Vertex(kFirstUpperOutline + k)[2]; }
    double Bottom(int k) const { return m_writer.Vertex(kFirstLowerOutline + k)[2]; }
    bool IsOpen(int k) const
    {
        const int next = (k + 1) % kSamples;
        return Bottom(k) > Top(k) && Bottom(next) > Top(next);
    }
    void CloseRun(int segment, int a, int ab, int b, int bb, int m1, int m2);
    int AddCrossing(Point p, int top, int bottom);

    CutWriter& m_writer;
    double m_dRadius = 0.0;
};

void CGirdleBuilder::BuildOutlines(double girdleThickness)
{
    const double R = m_dRadius;
    const double upperFallback = girdleThickness * 0.5 + m_writer.Vertex(kFirstUpperRing)[2];
    const double lowerFallback = m_writer.Vertex(kFirstLowerRing)[2];
    for (int k = 0; k < kSamples; ++k)
    {
        const int segment = k / kSamplesPerSegment;
        const double theta = (k * 360 * kSampleFraction) * kCutDegToRad;
        const double x = std::cos(theta) * R;
        const double y = std::sin(theta) * R;
        const Point top = SampleOnPlane(x, y, m_writer.Normal(kFirstUpperGirdleFacet + segment),
                                        m_writer.Vertex(kFirstStar + segment / 2), upperFallback);
        const Point bottom =
            SampleOnPlane(x, y, m_writer.Normal(kFirstLowerGirdleFacet + segment),
                          m_writer.Vertex(kFirstLowerPoint + segment / 2), lowerFallback);
        double* upper = m_writer.vertices + 3 * (kFirstUpperOutline + k);
        upper[0] = top.x;
        upper[1] = top.y;
        upper[2] = top.z;
        double* lower = m_writer.vertices + 3 * (kFirstLowerOutline + k);
        lower[0] = bottom.x;
        lower[1] = bottom.y;
        lower[2] = bottom.z;
    }
    m_writer.vertexCount = kFirstGirdleApex;
}

void CGirdleBuilder::BuildSegment(int segment)
{
    const int next = (segment + 1) % kSegments;
    const int corner = kFirstUpperRing + segment;
    const int nextCorner = kFirstUpperRing + next;
    const int lowerCorner = kFirstLowerRing + segment;
    const int nextLowerCorner = kFirstLowerRing + next;

    bool bRunStarted = false;
    bool bRunEnded = false;
    int lastTop = corner;
    int lastBottom = lowerCorner;
    int a = 0;
    int ab = 0;
    int b = 0;
    int bb = 0;
    int m1 = 0;
    int m2 = 0;
    const int first = segment * kSamplesPerSegment;
    for (int j = 0; j < kSamplesPerSegment; ++j)
    {
        const int k = first + j;
        const int kn = (k + 1) % kSamples;
        bool bOpen = IsOpen(k);
        // A crossing needs two samples to close over. A lone closed sample at either end of
        // the segment only happens when the band has no height at a girdle corner itself
        // (rounding on a far too thin girdle, or a stone that is not a number): the band is
        // carried over it instead, which keeps the girdle without holes and the segment
        // within its 128 triangles.
        if (!bOpen && !bRunStarted && (j == kSamplesPerSegment - 1 || (j == 0 && IsOpen(k + 1))))
        {
            bOpen = true;
        }
        if (bOpen)
        {
            if (bRunStarted && !bRunEnded)
            {
                bRunEnded = true;
                b = kFirstUpperOutline + k;
                bb = kFirstLowerOutline + k;
            }
            const int top = kFirstUpperOutline + k;
            const int topNext = kFirstUpperOutline + kn;
            const int bottom = kFirstLowerOutline + k;
            const int bottomNext = kFirstLowerOutline + kn;
            m_writer.AddFacet(top, topNext, bottomNext);
            m_writer.AddFacet(top, bottomNext, bottom);
            const Point crownApex = Midpoint(m_writer.Vertex(nextCorner), m_writer.Vertex(corner));
            m1 = m_writer.AddVertex(crownApex.x, crownApex.y, crownApex.z);
            m_writer.AddFacet(m1, topNext, top);
            const Point pavilionApex =
                Midpoint(m_writer.Vertex(nextLowerCorner), m_writer.Vertex(lowerCorner));
            m2 = m_writer.AddVertex(pavilionApex.x, pavilionApex.y, pavilionApex.z);
            m_writer.AddFacet(m2, bottomNext, bottom);
            lastTop = topNext;
            lastBottom = bottomNext;
        }
        else if (!bRunStarted)
        {
            bRunStarted = true;
            a = lastTop;
            ab = lastBottom;
        }
    }
    if (!bRunStarted)
    {
        return;
    }
    if (!bRunEnded)
    {
        b = nextCorner;
        bb = nextLowerCorner;
        const Point crownApex = Midpoint(m_writer.Vertex(a), m_writer.Vertex(b));
        m1 = m_writer.AddVertex(crownApex.x, crownApex.y, crownApex.z);
        const Point pavilionApex = Midpoint(m_writer.Vertex(ab), m_writer.Vertex(bb));
        m2 = m_writer.AddVertex(pavilionApex.x, pavilionApex.y, pavilionApex.z);
    }
    CloseRun(segment, a, ab, b, bb, m1, m2);
}

// Stores a crossing point. Where the construction gives none (parallel planes, or a
// crossing line that misses the girdle circle) the point halfway up the band where the
// run starts or ends stands in: it lies on the girdle circle between the two outlines,
// so the closing triangles still seal the band.
int CGirdleBuilder::AddCrossing(Point p, int top, int bottom)
{
    if (!IsFinite(p))
    {
        p = Midpoint(m_writer.Vertex(top), m_writer.Vertex(bottom));
    }
    if (!IsFinite(p))
    {
        // Only a stone whose girdle itself is not a number gets here.
        p = Point{};
    }
    return m_writer.AddVertex(p.x, p.y, p.z);
}

// Joins crown and pavilion along the line where their planes meet, over the stretch where
// the two outlines have crossed.
void CGirdleBuilder::CloseRun(int segment, int a, int ab, int b, int bb, int m1, int m2)
{
    const double R = m_dRadius;
    const double* nc = m_writer.Normal(kFirstUpperGirdleFacet + segment);
    const double* s = m_writer.Vertex(kFirstStar + segment / 2);
    const double* np = m_writer.Normal(kFirstLowerGirdleFacet + segment);
    const double* v = m_writer.Vertex(kFirstLowerPoint + segment / 2);
    const double dc = -(nc[0] * s[0]) - nc[1] * s[1] - nc[2] * s[2];
    const double dp = -(np[0] * v[0]) - np[1] * v[1] - np[2] * v[2];
    const double det = np[0] * nc[2] - np[2] * nc[0];

    const double nan = std::nan("");
    Point p{nan, nan, nan};
    Point q{nan, nan, nan};
    if (!(std::fabs(det) < kParallelPlanes))
    {
        const double ys = std::sin((segment * 360 * kSegmentFraction) * kCutDegToRad) * R;
        const double zc = (nc[0] * dp - np[0] * dc - (np[0] * nc[1] - np[1] * nc[0]) * ys) / det;
        const double* pa = m_writer.Vertex(a);
        const double* pb = m_writer.Vertex(b);
        const double tA = (zc - s[2]) / (pa[2] - s[2]);
        const double paX = (pa[0] - s[0]) * tA + s[0];
        const double paY = (pa[1] - s[1]) * tA + s[1];
        const double tB = (zc - s[2]) / (pb[2] - s[2]);
        const double pbX = (pb[0] - s[0]) * tB + s[0];
        const double pbY = (pb[1] - s[1]) * tB + s[1];
        const double dx = pbX - paX;
        const double dy = pbY - paY;
        const double qa = dx * dx + dy * dy;
        const double qb = dx * 2 * paX + dy * 2 * paY;
        const double qc = paY * paY + paX * paX - R * R;
        const double r = std::sqrt(qb * qb - qa * 4 * qc);
        const double tP = (-qb - r) / (qa * 2);
        const double tQ = (r - qb) / (qa * 2);
        p = {tP * dx + paX, tP * dy + paY, zc};
        q = {tQ * dx + paX, tQ * dy + paY, zc};
    }
    const int ip = AddCrossing(p, a, ab);
    const int iq = AddCrossing(q, b, bb);

    m_writer.AddFacet(ip, ab, a);
    m_writer.AddFacet(iq, b, bb);
    m_writer.AddFacet(m1, ip, a);
    m_writer.AddFacet(m1, iq, ip);
    m_writer.AddFacet(m1, b, iq);
    m_writer.AddFacet(m2, ab, ip);
    m_writer.AddFacet(m2, ip, iq);
    m_writer.AddFacet(m2, iq, bb);
}
} // namespace

void BuildGirdle(CutWriter& writer, double girdleRadius, double girdleThickness)
{
    CGirdleBuilder builder(writer, girdleRadius);
    builder.BuildOutlines(girdleThickness);
    for (int segment = 0; segment < kSegments; ++segment)
    {
        builder.BuildSegment(segment);
    }
}
