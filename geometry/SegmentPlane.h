#pragma once

#include <cmath>

// Point where the segment P0-P1 meets the plane through Q with normal N. Ends within 1e-6
// of the plane count as on it. Returns false, writing nothing, when both ends lie strictly
// on the same side. Inline: the girdle probes the plane a thousand times per stone.
inline bool IntersectSegmentPlane(double& x, double& y, double& z, double p0x, double p0y,
                                  double p0z, double p1x, double p1y, double p1z, double nx,
                                  double ny, double nz, double qx, double qy, double qz)
{
    // Distances below this count as zero: the end lies on the plane.
    constexpr double kOnPlane = 1e-6;
    double d0 = (qx - p0x) * nx + (qy - p0y) * ny + (qz - p0z) * nz;
    double d1 = (qx - p1x) * nx + (qy - p1y) * ny + (qz - p1z) * nz;
    if (std::fabs(d0) < kOnPlane)
    {
        d0 = 0.0;
    }
    if (std::fabs(d1) < kOnPlane)
    {
        d1 = 0.0;
    }
    if (d0 == 0.0)
    {
        x = p0x;
        y = p0y;
        z = p0z;
        return true;
    }
    const bool straddles = (d0 >= 0.0 && d1 <= 0.0) || (d0 <= 0.0 && d1 >= 0.0);
    if (d1 != 0.0 && !straddles)
    {
        return false;
    }
    const double t = std::fabs(d0) / (std::fabs(d1) + std::fabs(d0));
    x = (p1x - p0x) * t + p0x;
    y = (p1y - p0y) * t + p0y;
    z = (p1z - p0z) * t + p0z;
    return true;
}
