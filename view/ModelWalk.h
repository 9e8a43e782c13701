#pragma once
// Reaching the model's triangles the way the view draws them: through a group and a
// position in its list, with every index checked, so that a stale pick or a damaged model
// draws what is valid and reads nothing beyond its arrays.

#include "model/Model.h"
#include "platform/gl.h"

#include <cstddef>

namespace modelwalk
{
// The triangle at position `position` of group `group`, when the model has it and all its
// corners; nullptr otherwise.
inline const ModelTriangle* TriangleAt(const CModel& model, std::size_t group, std::size_t position)
{
    if (group >= model.m_vecGroups.size() || model.m_vecGroups[group] == nullptr)
        return nullptr;
    const ModelGroup& g = *model.m_vecGroups[group];
    if (position >= g.triangles.size())
        return nullptr;
    const std::size_t t = g.triangles[position];
    if (t >= model.m_vecTriangles.size())
        return nullptr;
    const ModelTriangle& triangle = model.m_vecTriangles[t];
    for (int c = 0; c < 3; ++c)
        if (triangle.vertex[c] < 0 ||
            static_cast<std::size_t>(triangle.vertex[c]) >= model.m_vecVertices.size())
            return nullptr;
    return &triangle;
}

inline std::size_t CornerIndex(const ModelTriangle& triangle, int corner)
{
    return static_cast<std::size_t>(triangle.vertex[corner]);
}

inline void Vertex(const CModel& model, const ModelTriangle& triangle, int corner)
{
    const Float3& v = model.m_vecVertices[CornerIndex(triangle, corner)];
    glVertex3f(v.x, v.y, v.z);
}

inline std::size_t GroupSize(const CModel& model, std::size_t group)
{
    return model.m_vecGroups[group] != nullptr ? model.m_vecGroups[group]->triangles.size() : 0;
}
} // namespace modelwalk
