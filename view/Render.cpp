// Drawing the model: facets, wire frame and vertices, each from a display list compiled on
// first use, with the highlight of the picked element on top of its layer.
#include "view/GLPictureCtrl.h"

#include "view/ModelWalk.h"

#include <algorithm>
#include <cstddef>

using modelwalk::TriangleAt;
using modelwalk::Vertex;

namespace
{
void Normal(const std::vector<Float3>& normals, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= normals.size())
        return; // no normal of its own: the current one stays
    const Float3& n = normals[static_cast<std::size_t>(index)];
    glNormal3f(n.x, n.y, n.z);
}

// Every triangle of every group, as one run of triangles.
void Triangles(const CModel& model)
{
    glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i < model.m_vecGroups.size(); ++i)
        for (std::size_t j = 0; j < modelwalk::GroupSize(model, i); ++j)
            if (const ModelTriangle* t = TriangleAt(model, i, j))
                for (int c = 0; c < 3; ++c)
                    Vertex(model, *t, c);
    glEnd();
}
} // namespace

void CGLPictureCtrl::CompileFaceList()
{
    const CModel& model = *m_pModel;
    m_faceList = glGenLists(1);
    glNewList(m_faceList, GL_COMPILE);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_COLOR_MATERIAL);
    if (m_bTransparent)
    {
        std::copy(m_faceColor, m_faceColor + 3, m_transparentColor);
        glColor4f(m_faceColor[0], m_faceColor[1], m_faceColor[2], m_transparentColor[3]);
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

void CGLPictureCtrl::CompileLineList()
{
    m_lineList = glGenLists(1);
    glNewList(m_lineList, GL_COMPILE);
    glLineWidth(m_lineWidth * PixelScale());
    glColor3f(m_lineColor[0], m_lineColor[1], m_lineColor[2]);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    Triangles(*m_pModel);
    glEndList();
}

void CGLPictureCtrl::CompilePointList()
{
    m_pointList = glGenLists(1);
    glNewList(m_pointList, GL_COMPILE);
    glPointSize(m_pointSize * PixelScale());
    glColor3f(m_pointColor[0], m_pointColor[1], m_pointColor[2]);
    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    Triangles(*m_pModel);
    glEndList();
}

void CGLPictureCtrl::DrawModel(int pass, const GLuint* names)
{
    if (m_pModel == nullptr)
        return;
    if (pass == 3)
    {
        if (names != nullptr)
            std::copy(names, names + 10, m_pick);
        return;
    }
    if (pass == 2)
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        SelectModel();
        glPopAttrib();
        return;
    }
    if (pass != 1)
        return;

    const CModel& model = *m_pModel;
    // The picked triangle, if the pick still names one.
    const ModelTriangle* picked = TriangleAt(model, m_pick[2], m_pick[3]);
    const int corner = static_cast<int>(std::min<GLuint>(m_pick[4], 2));

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    if (m_bRenderFaces)
    {
        if (m_faceList == 0)
            CompileFaceList();
        glCallList(m_faceList);
        if (m_pick[1] == GL_FILL && picked != nullptr)
        {
            // Lighting and blending are off again: the pick is flat and opaque.
            glPushAttrib(GL_CURRENT_BIT);
            glColor3f(m_pickFaceColor[0], m_pickFaceColor[1], m_pickFaceColor[2]);
            glBegin(GL_TRIANGLES);
            for (int c = 0; c < 3; ++c)
                Vertex(model, *picked, c);
            glEnd();
            glPopAttrib();
        }
    }
    if (m_bRenderLines)
    {
        if (m_lineList == 0)
            CompileLineList();
        glCallList(m_lineList);
        if (m_pick[1] == GL_LINE && picked != nullptr)
        {
            glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
            glLineWidth(m_pickLineWidth * PixelScale());
            glColor3f(m_pickLineColor[0], m_pickLineColor[1], m_pickLineColor[2]);
            glBegin(GL_LINES);
            Vertex(model, *picked, corner);
            Vertex(model, *picked, (corner + 1) % 3);
            glEnd();
            glPopAttrib();
        }
    }
    if (m_bRenderPoints)
    {
        if (m_pointList == 0)
            CompilePointList();
        glCallList(m_pointList);
        if (m_pick[1] == GL_POINT && picked != nullptr)
        {
            glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT);
            glPointSize(m_pickPointSize * PixelScale());
            glColor3f(m_pickPointColor[0], m_pickPointColor[1], m_pickPointColor[2]);
            glBegin(GL_POINTS);
            Vertex(model, *picked, corner);
            glEnd();
            glPopAttrib();
        }
    }
    glPopAttrib();
}
