#pragma once

#include "geometry/BrilliantCut.h"
#include "geometry/CutMesh.h"
#include "geometry/CutParameters.h"

#include <cstdint>

// kDefaultCut is the stone the program starts with; its two derived angles are overwritten
// by every run.
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
    out.facets = GenerateBrilliantCut(out.cut, out.mesh, &out.vertexCount);
    return out;
}
