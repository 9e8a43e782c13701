#pragma once

#include "geometry/BrilliantCut.h"
#include "geometry/CutMesh.h"
#include "geometry/CutParameters.h"

#include <cstdint>

// The stone the program starts with; the two derived angles are overwritten by every run.
inline constexpr CutParameters kDefaultCut{2.65, 5.174, 34.6,  3.724, 39.513,
                                           40.8, 1.25,  41.48, 0.26};

inline CutParameters DefaultCutWith(double CutParameters::*field, double value)
{
    CutParameters cut = kDefaultCut;
    cut.*field = value;
    return cut;
}

struct GeneratedCut
{
    CutMesh mesh;
    CutParameters cut;
    int facets = 0;
    int vertexCount = 0;

    const double* Vertex(int i) const { return mesh.vertices.get() + 3 * i; }
    const double* Normal(int k) const { return mesh.faceNormals.get() + 3 * k; }
    const std::int32_t* Corners(int k) const
    {
        return mesh.indexList.get() + mesh.faceTable[k].firstIndex;
    }
};

inline GeneratedCut Generate(const CutParameters& in)
{
    GeneratedCut out;
    out.cut = in;
    CutParameters& c = out.cut;
    out.facets = GenerateBrilliantCut(out.mesh.vertices, out.mesh.indexList, out.mesh.faceTable,
                                      out.mesh.faceNormals, c.tableSemiDiameter,
                                      c.diamondSemiDiameter, c.crownAngle, c.upperGirdlePoint,
                                      c.upperGirdleAngle, c.pavilionAngle, c.lowerGirdlePoint,
                                      c.lowerGirdleAngle, c.girdleThickness, &out.vertexCount);
    return out;
}
