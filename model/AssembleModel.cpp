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

    // Each array is sized once and written in place: the stone is rebuilt on every spin
    // step, so growth and a second pass over the arrays would show.
    model.m_vecVertices.clear();
    model.m_vecVertices.reserve(3 * count);
    model.m_vecFaceNormals.clear();
    model.m_vecFaceNormals.reserve(count);
    model.m_vecTriangles.clear();
    model.m_vecTriangles.reserve(count);

    auto group = std::make_unique<ModelGroup>();
    group->triangles.reserve(count);
    for (int i = 0; i < 4; ++i)
    {
        group->ambient[i] = kAmbient[i];
        group->diffuse[i] = kDiffuse[i];
        group->specular[i] = kSpecular[i];
    }
    group->shininess = kShininess;
    ModelGroup& target = *group;
    model.m_vecGroups.push_back(std::move(group));

    for (std::size_t t = 0; t < count; ++t)
    {
        // Every facet has three corners; vertexCount is not consulted.
        const std::int32_t first = faceTable[t].firstIndex;
        const auto corner = static_cast<std::int32_t>(3 * t);
        ModelTriangle triangle;
        for (int c = 0; c < 3; ++c)
        {
            model.m_vecVertices.push_back(ToFloat3(vertices + 3 * indexList[first + c]));
            triangle.vertex[c] = corner + c;
        }
        triangle.faceNormal = static_cast<std::int32_t>(t);
        model.m_vecTriangles.push_back(triangle);
        model.m_vecFaceNormals.push_back(ToFloat3(faceNormals + 3 * t));
        target.triangles.push_back(static_cast<std::uint32_t>(t));
    }
    triangleCount = static_cast<int>(count);
    return 0;
}
