// Drawing the model: facets, wire frame and vertices, each from a display list compiled on
// first use with the highlight of the picked element on top; the same layers once more as
// named primitives for selection.
#include "view/GLPictureCtrl.h"

#include "model/Model.h"

#include <algorithm>
#include <cstddef>

namespace
{
constexpr float kSelectionLineWidth = 2.0f;
constexpr float kSelectionPointSize = 5.0f;

// The triangle at position `position` of group `group`, when the model has it and all
// its corners; nullptr otherwise (a stale pick, a damaged model).
const ModelTriangle* TriangleAt(const CModel& model, std::size_t group, std::size_t position)
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

void Vertex(const CModel& model, const ModelTriangle& triangle, int corner)
{
    const Float3& v = model.m_vecVertices[static_cast<std::size_t>(triangle.vertex[corner])];
    glVertex3f(v.x, v.y, v.z);
}

void Normal(const std::vector<Float3>& normals, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= normals.size())
        return; // no normal of its own: the current one stays
    const Float3& n = normals[static_cast<std::size_t>(index)];
    glNormal3f(n.x, n.y, n.z);
}

// Calls f(groupIndex, position, triangle) for every drawable triangle, in model order.
template <class F> void ForEachTriangle(const CModel& model, F f)
{
    for (std::size_t i = 0; i < model.m_vecGroups.size(); ++i)
    {
        if (model.m_vecGroups[i] == nullptr)
            continue;
        const std::size_t count = model.m_vecGroups[i]->triangles.size();
        for (std::size_t j = 0; j < count; ++j)
            if (const ModelTriangle* t = TriangleAt(model, i, j))
                f(i, j, *t);
    }
}

void Triangles(const CModel& model)
{
    glBegin(GL_TRIANGLES);
    ForEachTriangle(model,
                    [&](std::size_t, std::size_t, const ModelTriangle& t)
                    {
                        for (int c = 0; c < 3; ++c)
                            Vertex(model, t, c);
                    });
    glEnd();
}
} // namespace

void CGLPictureCtrl::DrawModel(int pass, const GLuint* names)
{
    if (m_pModel == nullptr)
        return;
    const CModel& model = *m_pModel;
    if (pass == 3)
    {
        if (names != nullptr)
            std::copy(names, names + 10, m_pick);
        return;
    }
    if (pass != 1 && pass != 2)
        return;
    const bool select = pass == 2;
    // The picked triangle, if the pick still names one.
    const ModelTriangle* picked = TriangleAt(model, m_pick[2], m_pick[3]);
    const int pickedCorner = static_cast<int>(std::min<GLuint>(m_pick[4], 2));

    glPushAttrib(GL_ALL_ATTRIB_BITS);

    if (m_bRenderFaces && (!select || m_bPickFaces))
    {
        if (!select)
        {
            if (m_faceList == 0)
            {
                m_faceList = glGenLists(1);
                glNewList(m_faceList, GL_COMPILE);
                glEnable(GL_LIGHTING);
                glEnable(GL_NORMALIZE);
                glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
                glEnable(GL_COLOR_MATERIAL);
                if (m_bTransparent)
                {
                    std::copy(m_faceColor, m_faceColor + 3, m_transparentColor);
                    glColor4f(m_faceColor[0], m_faceColor[1], m_faceColor[2],
                              m_transparentColor[3]);
                    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                    glEnable(GL_BLEND);
                }
                else
                {
                    glColor3f(m_faceColor[0], m_faceColor[1], m_faceColor[2]);
                }
                glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
                const bool perCorner = !model.m_vecVertexNormals.empty();
                for (std::size_t i = 0; i < model.m_vecGroups.size(); ++i)
                {
                    const ModelGroup* g = model.m_vecGroups[i].get();
                    if (g == nullptr)
                        continue;
                    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, g->ambient);
                    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, g->diffuse);
                    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, g->specular);
                    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, g->shininess);
                    glBegin(GL_TRIANGLES);
                    for (std::size_t j = 0; j < g->triangles.size(); ++j)
                    {
                        const ModelTriangle* t = TriangleAt(model, i, j);
                        if (t == nullptr)
                            continue;
                        if (!perCorner)
                            Normal(model.m_vecFaceNormals, t->faceNormal);
                        for (int c = 0; c < 3; ++c)
                        {
                            if (perCorner)
                                Normal(model.m_vecVertexNormals, t->vertexNormal[c]);
                            Vertex(model, *t, c);
                        }
                    }
                    glEnd();
                }
                if (m_bTransparent)
                    glDisable(GL_BLEND);
                glDisable(GL_LIGHTING);
                glEndList();
            }
            glCallList(m_faceList);
            if (m_pick[1] == GL_FILL && picked != nullptr)
            {
                glPushAttrib(GL_CURRENT_BIT);
                glColor3f(m_pickFaceColor[0], m_pickFaceColor[1], m_pickFaceColor[2]);
                glBegin(GL_TRIANGLES);
                for (int c = 0; c < 3; ++c)
                    Vertex(model, *picked, c);
                glEnd();
                glPopAttrib();
            }
        }
        else
        {
            glPushName(GL_FILL);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            for (std::size_t i = 0; i < model.m_vecGroups.size(); ++i)
            {
                if (model.m_vecGroups[i] == nullptr)
                    continue;
                glPushName(static_cast<GLuint>(i));
                for (std::size_t j = 0; j < model.m_vecGroups[i]->triangles.size(); ++j)
                {
                    const ModelTriangle* t = TriangleAt(model, i, j);
                    if (t == nullptr)
                        continue;
                    glPushName(static_cast<GLuint>(j));
                    glBegin(GL_TRIANGLES);
                    for (int c = 0; c < 3; ++c)
                        Vertex(model, *t, c);
                    glEnd();
                    glPopName();
                }
                glPopName();
            }
            glPopName();
        }
    }

    if (m_bRenderLines && (!select || m_bPickLines))
    {
        if (!select)
        {
            if (m_lineList == 0)
            {
                m_lineList = glGenLists(1);
                glNewList(m_lineList, GL_COMPILE);
                glLineWidth(m_lineWidth);
                glColor3f(m_lineColor[0], m_lineColor[1], m_lineColor[2]);
                glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
                Triangles(model);
                glEndList();
            }
            glCallList(m_lineList);
            if (m_pick[1] == GL_LINE && picked != nullptr)
            {
                glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
                glLineWidth(m_pickLineWidth);
                glColor3f(m_pickLineColor[0], m_pickLineColor[1], m_pickLineColor[2]);
                glBegin(GL_LINES);
                Vertex(model, *picked, pickedCorner);
                Vertex(model, *picked, (pickedCorner + 1) % 3);
                glEnd();
                glPopAttrib();
            }
        }
        else
        {
            glPushName(GL_LINE);
            glLineWidth(kSelectionLineWidth);
            ForEachTriangle(model,
                            [&](std::size_t i, std::size_t j, const ModelTriangle& t)
                            {
                                glPushName(static_cast<GLuint>(i));
                                glPushName(static_cast<GLuint>(j));
                                for (int c = 0; c < 3; ++c)
                                {
                                    glPushName(static_cast<GLuint>(c));
                                    glBegin(GL_LINES);
                                    Vertex(model, t, c);
                                    Vertex(model, t, (c + 1) % 3);
                                    glEnd();
                                    glPopName();
                                }
                                glPopName();
                                glPopName();
                            });
            glPopName();
        }
    }

    if (m_bRenderPoints && (!select || m_bPickPoints))
    {
        if (!select)
        {
            if (m_pointList == 0)
            {
                m_pointList = glGenLists(1);
                glNewList(m_pointList, GL_COMPILE);
                glPointSize(m_pointSize);
                glColor3f(m_pointColor[0], m_pointColor[1], m_pointColor[2]);
                glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
                Triangles(model);
                glEndList();
            }
            glCallList(m_pointList);
            if (m_pick[1] == GL_POINT && picked != nullptr)
            {
                glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT);
                glPointSize(m_pickPointSize);
                glColor3f(m_pickPointColor[0], m_pickPointColor[1], m_pickPointColor[2]);
                glBegin(GL_POINTS);
                Vertex(model, *picked, pickedCorner);
                glEnd();
                glPopAttrib();
            }
        }
        else
        {
            glPushName(GL_POINT);
            glPointSize(kSelectionPointSize);
            ForEachTriangle(model,
                            [&](std::size_t i, std::size_t j, const ModelTriangle& t)
                            {
                                glPushName(static_cast<GLuint>(i));
                                glPushName(static_cast<GLuint>(j));
                                for (int c = 0; c < 3; ++c)
                                {
                                    glPushName(static_cast<GLuint>(c));
                                    glBegin(GL_POINTS);
                                    Vertex(model, t, c);
                                    glEnd();
                                    glPopName();
                                }
                                glPopName();
                                glPopName();
                            });
            glPopName();
        }
    }

    glPopAttrib();
}
