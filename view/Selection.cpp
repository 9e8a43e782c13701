// The model drawn for selection: every facet triangle, edge and corner as a primitive of
// its own under the names 0, kind, group, position and edge or corner, as picking reads
// them back.
#include "view/GLPictureCtrl.h"

#include "view/ModelWalk.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using modelwalk::GroupSize;
using modelwalk::TriangleAt;
using modelwalk::Vertex;

namespace
{
constexpr float kSelectionLineWidth = 2.0f;
constexpr float kSelectionPointSize = 5.0f;
// Primitives lying wholly beyond the selection volume, grown by this factor each way, are
// not sent: they cannot hit, and their records would be none. The margin keeps wide lines
// and large points near the volume's edge in.
constexpr double kCullMargin = 4.0;

// The corners' positions against the selection volume of the current matrices.
class SelectionVolume
{
public:
    explicit SelectionVolume(const CModel& model)
    {
        GLdouble mv[16], pr[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        double m[16]; // pr × mv, column-major
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 4; ++row)
            {
                double sum = 0.0;
                for (int k = 0; k < 4; ++k)
                    sum += pr[k * 4 + row] * mv[col * 4 + k];
                m[col * 4 + row] = sum;
            }
        m_codes.reserve(model.m_vecVertices.size());
        for (const Float3& v : model.m_vecVertices)
        {
            double clip[4];
            for (int row = 0; row < 4; ++row)
                clip[row] = m[row] * v.x + m[4 + row] * v.y + m[8 + row] * v.z + m[12 + row];
            m_codes.push_back(Code(clip));
        }
    }

    // True when the corners all lie beyond one and the same face of the grown volume.
    bool Outside(const ModelTriangle& t, int a, int b, int c) const
    {
        return (Of(t, a) & Of(t, b) & Of(t, c)) != 0;
    }
    bool Outside(const ModelTriangle& t, int a, int b) const { return (Of(t, a) & Of(t, b)) != 0; }
    bool Outside(const ModelTriangle& t, int a) const { return Of(t, a) != 0; }

private:
    static std::uint8_t Code(const double clip[4])
    {
        const double w = clip[3];
        if (!(w > 0.0))
            return 0; // behind the eye in a perspective: leave it to OpenGL
        const double limit = kCullMargin * w;
        std::uint8_t code = 0;
        for (int axis = 0; axis < 3; ++axis)
        {
            if (clip[axis] < -limit)
                code |= static_cast<std::uint8_t>(1u << (2 * axis));
            if (clip[axis] > limit)
                code |= static_cast<std::uint8_t>(2u << (2 * axis));
        }
        return code;
    }
    std::uint8_t Of(const ModelTriangle& t, int corner) const
    {
        return m_codes[modelwalk::CornerIndex(t, corner)];
    }

    std::vector<std::uint8_t> m_codes;
};
} // namespace

void CGLPictureCtrl::SelectModel()
{
    const CModel& model = *m_pModel;
    const SelectionVolume volume(model);
    const std::size_t groups = model.m_vecGroups.size();

    if (m_bRenderFaces && m_bPickFaces)
    {
        glPushName(GL_FILL);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        for (std::size_t i = 0; i < groups; ++i)
        {
            glPushName(static_cast<GLuint>(i));
            for (std::size_t j = 0; j < GroupSize(model, i); ++j)
            {
                const ModelTriangle* t = TriangleAt(model, i, j);
                if (t == nullptr || volume.Outside(*t, 0, 1, 2))
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

    if (m_bRenderLines && m_bPickLines)
    {
        glPushName(GL_LINE);
        glLineWidth(kSelectionLineWidth * PixelScale());
        for (std::size_t i = 0; i < groups; ++i)
        {
            glPushName(static_cast<GLuint>(i));
            for (std::size_t j = 0; j < GroupSize(model, i); ++j)
            {
                const ModelTriangle* t = TriangleAt(model, i, j);
                if (t == nullptr || volume.Outside(*t, 0, 1, 2))
                    continue;
                glPushName(static_cast<GLuint>(j));
                for (int c = 0; c < 3; ++c)
                {
                    const int next = (c + 1) % 3;
                    if (volume.Outside(*t, c, next))
                        continue;
                    glPushName(static_cast<GLuint>(c));
                    glBegin(GL_LINES);
                    Vertex(model, *t, c);
                    Vertex(model, *t, next);
                    glEnd();
                    glPopName();
                }
                glPopName();
            }
            glPopName();
        }
        glPopName();
    }

    if (m_bRenderPoints && m_bPickPoints)
    {
        glPushName(GL_POINT);
        glPointSize(kSelectionPointSize * PixelScale());
        for (std::size_t i = 0; i < groups; ++i)
        {
            glPushName(static_cast<GLuint>(i));
            for (std::size_t j = 0; j < GroupSize(model, i); ++j)
            {
                const ModelTriangle* t = TriangleAt(model, i, j);
                if (t == nullptr || volume.Outside(*t, 0, 1, 2))
                    continue;
                glPushName(static_cast<GLuint>(j));
                for (int c = 0; c < 3; ++c)
                {
                    if (volume.Outside(*t, c))
                        continue;
                    glPushName(static_cast<GLuint>(c));
                    glBegin(GL_POINTS);
                    Vertex(model, *t, c);
                    glEnd();
                    glPopName();
                }
                glPopName();
            }
            glPopName();
        }
        glPopName();
    }
}
