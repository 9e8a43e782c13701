#include "geometry/FaceNormal.h"

#include <cmath>

namespace
{
// Squared lengths in this range are summed and rooted without overflow or loss of bits to
// underflow; outside it the direction is found on rescaled vectors instead.
constexpr double kMinSafeLength2 = 0x1p-900;
constexpr double kMaxSafeLength2 = 0x1p+1000;
constexpr double kLargeCorner = 0x1p+1000;

double LargestMagnitude(double x, double y, double z)
{
    return std::fmax(std::fabs(x), std::fmax(std::fabs(y), std::fabs(z)));
}

// Scales the three values by the same power of two so that the largest magnitude lies in
// [0.5, 1). False when there is nothing to scale or a value is not finite.
bool ScaleToUnit(double& x, double& y, double& z)
{
    const double m = LargestMagnitude(x, y, z);
    if (!(m > 0.0) || !std::isfinite(m))
    {
        return false;
    }
    int e = 0;
    std::frexp(m, &e);
    x = std::ldexp(x, -e);
    y = std::ldexp(y, -e);
    z = std::ldexp(z, -e);
    return true;
}

// The direction of (b - a) x (c - a) when the plain sum of squares overflows or underflows:
// edges and product are each scaled by powers of two, which keeps every intermediate
// inside the range of doubles without turning the direction.
int NormaliseScaled(double ax, double ay, double az, double bx, double by, double bz, double cx,
                    double cy, double cz, double& nx, double& ny, double& nz)
{
    // A corner that is not a number or infinite has no direction to give.
    const bool bNaN =
        std::isnan(ax + ay + az) || std::isnan(bx + by + bz) || std::isnan(cx + cy + cz);
    const double m =
        std::fmax(LargestMagnitude(ax, ay, az),
                  std::fmax(LargestMagnitude(bx, by, bz), LargestMagnitude(cx, cy, cz)));
    if (bNaN || !std::isfinite(m))
    {
        return -1;
    }
    // Corners near the top of the range would overflow their differences; a quarter of
    // them cannot.
    const int e = m > kLargeCorner ? 2 : 0;
    double ux = std::ldexp(bx, -e) - std::ldexp(ax, -e);
    double uy = std::ldexp(by, -e) - std::ldexp(ay, -e);
    double uz = std::ldexp(bz, -e) - std::ldexp(az, -e);
    double vx = std::ldexp(cx, -e) - std::ldexp(ax, -e);
    double vy = std::ldexp(cy, -e) - std::ldexp(ay, -e);
    double vz = std::ldexp(cz, -e) - std::ldexp(az, -e);
    if (!ScaleToUnit(ux, uy, uz) || !ScaleToUnit(vx, vy, vz))
    {
        return -1;
    }
    double x = vz * uy - vy * uz;
    double y = vx * uz - vz * ux;
    double z = vy * ux - vx * uy;
    if (!ScaleToUnit(x, y, z))
    {
        return -1;
    }
    const double len = std::sqrt(x * x + y * y + z * z);
    nx = x / len;
    ny = y / len;
    nz = z / len;
    return 0;
}
} // namespace

int ComputeFaceNormal(double ax, double ay, double az, double bx, double by, double bz, double cx,
                      double cy, double cz, double& nx, double& ny, double& nz)
{
    nx = 0.0;
    ny = 0.0;
    nz = 0.0;
    const double ux = bx - ax;
    const double uy = by - ay;
    const double uz = bz - az;
    const double vx = cx - ax;
    const double vy = cy - ay;
    const double vz = cz - az;
    const double x = vz * uy - vy * uz;
    const double y = vx * uz - vz * ux;
    const double z = vy * ux - vx * uy;
    const double len2 = x * x + y * y + z * z;
    if (len2 >= kMinSafeLength2 && len2 <= kMaxSafeLength2)
    {
        const double len = std::sqrt(len2);
        nx = x / len;
        ny = y / len;
        nz = z / len;
        return 0;
    }
    // A product too small or too large for the plain sum; an exact zero (no area) comes
    // out of the scaled path as -1 as well.
    return NormaliseScaled(ax, ay, az, bx, by, bz, cx, cy, cz, nx, ny, nz);
}
