#pragma once

// Unit normal of the triangle (a, b, c), counter-clockwise seen from the side it points to.
// Returns 0, or -1 with the normal (0, 0, 0) when the triangle has no area or no defined
// direction.
int ComputeFaceNormal(double ax, double ay, double az, double bx, double by, double bz, double cx,
                      double cy, double cz, double& nx, double& ny, double& nz);
