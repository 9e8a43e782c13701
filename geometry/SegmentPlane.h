#pragma once

// Point where the segment P0-P1 meets the plane through Q with normal N. Ends within 1e-6
// of the plane count as on it. Returns false, writing nothing, when both ends lie strictly
// on the same side.
bool IntersectSegmentPlane(double& x, double& y, double& z, double p0x, double p0y, double p0z,
                           double p1x, double p1y, double p1z, double nx, double ny, double nz,
                           double qx, double qy, double qz);
