#pragma once

#include <cstdint>
#include <memory>

// One row of the face table: the facet's corners are vertexCount indices of the index list,
// starting at firstIndex.
struct FaceEntry
{
    std::int32_t vertexCount;
    std::int32_t firstIndex;
};

// Capacities of the generator's buffers, in elements (a vertex or a normal is one element
// of three doubles).
inline constexpr int kCutVertexCapacity = 12288;
inline constexpr int kCutIndexCapacity = 12288;
inline constexpr int kCutFaceCapacity = 4096;

// The most a stone can have: 80 crown and pavilion triangles plus four per girdle sample,
// and 58 corner points plus the two outlines and two fan apexes per girdle sample.
inline constexpr int kCutMaxFacets = 2128;
inline constexpr int kCutMaxVertices = 2106;

// The generator's output. Each slot owns its buffer; the generator replaces the buffers on
// every call and the holder of the mesh releases them by letting it go.
struct CutMesh
{
    std::unique_ptr<double[]> vertices;        // x, y, z per vertex
    std::unique_ptr<std::int32_t[]> indexList; // three corners per facet
    std::unique_ptr<FaceEntry[]> faceTable;    // one entry per facet
    std::unique_ptr<double[]> faceNormals;     // x, y, z per facet
};
