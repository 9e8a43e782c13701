#include "model/AssembleModel.h"

#include <cstddef>

namespace
{
// Polished silver, the one material of the stone.
constexpr float kAmbient[4] = {0.25f, 0.20725f, 0.20725f, 1.0f};
constexpr float kDiffuse[4] = {1.0f, 0.829f, 0.829f, 1.0f};
constexpr float kSpecular[4] = {0.296648f, 0.296648f, 0.296648f, 1.0f};
constexpr float kShininess = 0.088f;

Float3 ToFloat3(const double* p)
{
    return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
}
} // namespace

int AssembleModel(const double* vertices, const std::int32_t* indexList, const FaceEntry* faceTable,
                  const double* faceNormals, int n, CModel& model, int& triangleCount)
{
    triangleCount = 0;
    const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;

    // Each array is sized once and then written through plain pointers: the stone is
    // rebuilt on every spin step, and growth or per-element checks would show.
    model.m_vecVertices.clear();
    model.m_vecVertices.resize(3 * count);
    model.m_vecFaceNormals.clear();
    model.m_vecFaceNormals.resize(count);
    model.m_vecTriangles.clear();
    model.m_vecTriangles.resize(count);

    auto group = std::make_unique<ModelGroup>();
    group->triangles.resize(count);
    for (int i = 0; i < 4; ++i)
    {
        group->ambient[i] = kAmbient[i];
        group->diffuse[i] = kDiffuse[i];
        group->specular[i] = kSpecular[i];
    }
    group->shininess = kShininess;
    std::uint32_t* groupTriangles = group->triangles.data();
    model.m_vecGroups.push_back(std::move(group));

    Float3* corners = model.m_vecVertices.data();
    Float3* normals = model.m_vecFaceNormals.data();
    ModelTriangle* records = model.m_vecTriangles.data();
    for (std::size_t t = 0; t < count; ++t)
    {
        // Every facet has three corners; vertexCount is not consulted.
        const std::int32_t* index = indexList + faceTable[t].firstIndex;
        const auto first = static_cast<std::int32_t>(3 * t);
        ModelTriangle& record = records[t];
        for (int c = 0; c < 3; ++c)
        {
            corners[3 * t + c] = ToFloat3(vertices + 3 * index[c]);
            record.vertex[c] = first + c;
        }
        record.faceNormal = static_cast<std::int32_t>(t);
        normals[t] = ToFloat3(faceNormals + 3 * t);
        groupTriangles[t] = static_cast<std::uint32_t>(t);
    }
    triangleCount = static_cast<int>(count);
    return 0;
}
