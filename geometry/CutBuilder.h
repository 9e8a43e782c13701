#pragma once

// Shared by the generator's own sources only: the writer that appends vertices and facets
// to the four buffers, and the steps of the generator.

#include "geometry/CutMesh.h"
#include "geometry/CutParameters.h"
#include "geometry/FaceNormal.h"

#include <cstdint>

// Degrees to radians, for every vertex and girdle angle.
inline constexpr double kCutDegToRad = 0.017453292519943295;

struct CutWriter
{
    double* vertices = nullptr;
    std::int32_t* indices = nullptr;
    FaceEntry* faces = nullptr;
    double* normals = nullptr;
    int vertexCount = 0;
    int facetCount = 0;

    const double* Vertex(int i) const { return vertices + 3 * i; }
    const double* Normal(int k) const { return normals + 3 * k; }

    // The counts stay within the stone's maxima by construction; the guards only make sure
    // that no input, however odd, writes past them.
    int AddVertex(double x, double y, double z)
    {
        if (vertexCount >= kCutMaxVertices)
        {
            return vertexCount - 1;
        }
        double* v = vertices + 3 * vertexCount;
        v[0] = x;
        v[1] = y;
        v[2] = z;
        return vertexCount++;
    }

    void AddFacet(int a, int b, int c)
    {
        if (facetCount >= kCutMaxFacets)
        {
            return;
        }
        const int k = facetCount;
        faces[k].vertexCount = 3;
        faces[k].firstIndex = 3 * k;
        indices[3 * k] = a;
        indices[3 * k + 1] = b;
        indices[3 * k + 2] = c;
        const double* pa = Vertex(a);
        const double* pb = Vertex(b);
        const double* pc = Vertex(c);
        double* n = normals + 3 * k;
        ComputeFaceNormal(pa[0], pa[1], pa[2], pb[0], pb[1], pb[2], pc[0], pc[1], pc[2], n[0], n[1],
                          n[2]);
        facetCount = k + 1;
    }
};

// Corrects the proportions into a buildable set (upperGirdleAngle is not read).
void ReconcileCut(CutParameters& cut);

// The 58 corner points and 80 triangles of table, crown and pavilion, with the pavilion
// hung below the girdle band when it has thickness.
void BuildCrownAndPavilion(CutWriter& writer, const CutParameters& cut);

// The round girdle: outlines, band, fans and the closing of crossed stretches. Expects the
// 58 vertices and 80 facets of a stone with thickness.
void BuildGirdle(CutWriter& writer, double girdleRadius, double girdleThickness);
