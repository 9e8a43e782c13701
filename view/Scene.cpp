// The rest of a frame around the model: the axes list, the axis labels at the axis tips and
// the frame-rate line in the top-left corner, with the timing it shows.
#include "view/GLPictureCtrl.h"

#include "platform/Clock.h"
#include "view/OGLJText.h"

namespace
{
constexpr float kAxisLineWidth = 3.0f;
// The overlay's projection spans 0..2 both ways, so 0.1 is 5 % in from the top-left corner.
constexpr double kOverlayExtent = 2.0;
constexpr float kOverlayInset = 0.1f;
constexpr const wchar_t* kFrameRateFormat = L"%5d[fps] ( %6.4lf[spf] )";

GLubyte AsByte(int component)
{
    return static_cast<GLubyte>(component);
}
} // namespace

void CGLPictureCtrl::DrawAxesList()
{
    if (m_axesList == 0)
    {
        if (m_compiledAxesList != 0)
        {
            glDeleteLists(m_compiledAxesList, 1);
            m_compiledAxesList = 0;
        }
        m_axesList = glGenLists(1);
        m_compiledAxesList = m_axesList;
        if (m_axesList == 0)
            return;
        glNewList(m_axesList, GL_COMPILE);
        if (m_bShowAxes)
            DrawAxes();
        glEndList();
    }
    if (m_axesList != 0)
        glCallList(m_axesList);
}

void CGLPictureCtrl::DrawAxes()
{
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
    glLineWidth(kAxisLineWidth * PixelScale());
    for (int axis = 0; axis < 3; ++axis)
    {
        float tip[3] = {0.0f, 0.0f, 0.0f};
        tip[axis] = m_axisExtent[axis][0];
        const float origin[3] = {0.0f, 0.0f, 0.0f};
        glBegin(GL_LINES);
        glColor3ub(AsByte(m_axisColor[0]), AsByte(m_axisColor[1]), AsByte(m_axisColor[2]));
        glVertex3fv(origin);
        glVertex3fv(tip);
        glEnd();
    }
    glPopAttrib();
}

void CGLPictureCtrl::DrawScene()
{
    const DWORD t0 = timeGetTime();
    DrawModel(1, nullptr);

    if (m_bShowAxes)
    {
        COGLJText* labels[3] = {m_pLabelX, m_pLabelY, m_pLabelZ};
        for (int axis = 0; axis < 3; ++axis)
        {
            float tip[3] = {0.0f, 0.0f, 0.0f};
            tip[axis] = m_axisExtent[axis][0];
            // The raster colour is taken here, at the raster position.
            glColor3ub(AsByte(m_axisColor[0]), AsByte(m_axisColor[1]), AsByte(m_axisColor[2]));
            glRasterPos3f(tip[0], tip[1], tip[2]);
            if (labels[axis] != nullptr)
                labels[axis]->Draw();
        }
    }

    glColor3f(m_overlayColor[0], m_overlayColor[1], m_overlayColor[2]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, kOverlayExtent, kOverlayExtent, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glRasterPos3f(kOverlayInset, kOverlayInset, 0.0f);
    if (m_pFpsLabel != nullptr)
        m_pFpsLabel->Draw();
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const DWORD t1 = timeGetTime();
    ShowFrameTime(t1 - t0);
}

void CGLPictureCtrl::ShowFrameTime(DWORD dt)
{
    if (dt == 0)
        dt = 1; // a frame faster than the clock counts as one millisecond
    const int fps = static_cast<int>(1000.0 / dt + 0.5);
    const double spf = dt / 1000.0;
    if (m_pFpsLabel != nullptr)
        m_pFpsLabel->SetText(kFrameRateFormat, fps, spf);
}
