#include "geometry/CutBuilder.h"

#include <cmath>

namespace
{
constexpr double kPi = 3.141592653589793;
constexpr double kHalfSector = 0.39269908169872414; // 22.5 degrees
constexpr double kMinTableFraction = 0.05;
constexpr double kMaxTableFraction = 0.95;
constexpr double kMaxMainAngle = 87.0;
constexpr double kMaxMainAngleRad = 1.5184364492350666;
constexpr double kOnGirdle = 1e-6;
} // namespace

// The order of operations is part of the result: the panel shows these values to the last
// digit, so each expression is evaluated exactly as written.
void ReconcileCut(CutParameters& cut)
{
    const double c = std::cos(kHalfSector);
    double T = cut.tableSemiDiameter;
    const double R = cut.diamondSemiDiameter;
    double crown = cut.crownAngle;
    double U = cut.upperGirdlePoint;
    double pavilion = cut.pavilionAngle;
    double L = cut.lowerGirdlePoint;

    if (kMinTableFraction * R > T)
    {
        T = kMinTableFraction * R;
    }
    if (T > kMaxTableFraction * R)
    {
        T = kMaxTableFraction * R;
    }
    if (c * T > U)
    {
        U = c * T;
    }
    if (U > R)
    {
        U = R;
    }
    if (crown > kMaxMainAngle)
    {
        crown = kMaxMainAngle;
    }
    if (L > kMaxTableFraction * R)
    {
        L = kMaxTableFraction * R;
    }
    if (pavilion > kMaxMainAngle)
    {
        pavilion = kMaxMainAngle;
    }
    if (kOnGirdle > R - U)
    {
        // Star points on the girdle would make the upper girdle facets vertical: pull them
        // in until those facets stand at the cap angle.
        const double t87 = std::tan(kMaxMainAngleRad);
        const double t = std::tan(crown / 180 * kPi);
        U = (t * R - t87 * R) / (t * c - t87);
    }
    const double tc = std::tan(crown / 180 * kPi);
    const double k = (R - c * U) * tc / (R - U);
    cut.upperGirdleAngle = std::atan(k) / kPi * 180;
    if ((R - U) * k > (R - T) * tc)
    {
        // Keeps the star points from rising above the table plane.
        T = R - (R - U) * k / tc;
    }
    if (R - L != 0)
    {
        const double tp = std::tan(pavilion / 180 * kPi);
        cut.lowerGirdleAngle = std::atan(tp * (R - c * L) / (R - L)) / kPi * 180;
    }

    cut.tableSemiDiameter = T;
    cut.crownAngle = crown;
    cut.upperGirdlePoint = U;
    cut.pavilionAngle = pavilion;
    cut.lowerGirdlePoint = L;
}
