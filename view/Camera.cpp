// The camera: an orthographic projection of m_zoom pixels per unit, a look-at from 500
// units in front of m_center, and the accumulated model rotation; the trackball, pan and
// zoom steps that change them.
#include "view/GLPictureCtrl.h"

#include <cmath>

namespace
{
constexpr double kEyeDistance = 500.0;
constexpr double kNear = 0.1;
constexpr double kFar = 1000.0;
constexpr double kHalfPi = 1.5707963267948966;
constexpr float kSpinDegreesPerUnit = 180.0f; // per unit of trackball-vector difference
constexpr float kZoomExponentPerPixel = 0.002f;
constexpr float kPi = 3.14159265358979323846f;

// out = rotation(angle, axis) × m, both column-major; FALSE (out untouched) when the axis
// has no direction or a value is not finite, where the rotation is undefined.
bool PreRotate(float angle, float x, float y, float z, const float m[16], float out[16])
{
    const float length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0f) || !std::isfinite(length) || !std::isfinite(angle))
        return false;
    x /= length;
    y /= length;
    z /= length;
    const float radians = angle * kPi / 180.0f;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float t = 1.0f - c;
    // r[column * 4 + row], the matrix of a counter-clockwise turn seen from the axis tip.
    const float r[16] = {x * x * t + c,
                         y * x * t + z * s,
                         x * z * t - y * s,
                         0.0f,
                         x * y * t - z * s,
                         y * y * t + c,
                         y * z * t + x * s,
                         0.0f,
                         x * z * t + y * s,
                         y * z * t - x * s,
                         z * z * t + c,
                         0.0f,
                         0.0f,
                         0.0f,
                         0.0f,
                         1.0f};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += r[k * 4 + row] * m[col * 4 + k];
            out[col * 4 + row] = sum;
        }
    return true;
}
} // namespace

void CGLPictureCtrl::SetProjection()
{
    // m_zoom logical pixels per unit; the window's size is in device pixels.
    const double devicePerUnit = static_cast<double>(m_zoom) * PixelScale();
    const double halfWidth = m_cx * 0.5 / devicePerUnit;
    const double halfHeight = m_cy * 0.5 / devicePerUnit;
    glOrtho(-halfWidth, halfWidth, -halfHeight, halfHeight, kNear, kFar);
}

void CGLPictureCtrl::ApplyView()
{
    gluLookAt(m_center[0], m_center[1], m_center[2] + kEyeDistance, m_center[0], m_center[1],
              m_center[2], 0.0, 1.0, 0.0);
    // Lights placed here are fixed in the eye frame: they do not turn with the model.
    ApplyLights();
    glMultMatrixf(m_rotation);
}

void CGLPictureCtrl::LoadCamera()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    SetProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyView();
}

void CGLPictureCtrl::ApplyHomeView()
{
    LoadCamera();
    RotateView(viewdefaults::kHomeTurn, 1.0f, 0.0f, 0.0f);
}

void CGLPictureCtrl::ApplyLights()
{
    for (int i = 0; i < 4; ++i)
    {
        const GLenum light = GL_LIGHT0 + i;
        const LightSource& s = m_lights[i];
        if (!s.enabled)
        {
            glDisable(light);
            continue;
        }
        glEnable(light);
        glLightfv(light, GL_POSITION, s.position);
        glLightfv(light, GL_AMBIENT, s.ambient);
        glLightfv(light, GL_DIFFUSE, s.diffuse);
        glLightfv(light, GL_SPECULAR, s.specular);
        glLightfv(light, GL_SPOT_DIRECTION, s.spotDirection);
        glLightf(light, GL_SPOT_EXPONENT, s.spotExponent);
        glLightf(light, GL_SPOT_CUTOFF, s.spotCutoff);
        glLightf(light, GL_CONSTANT_ATTENUATION, s.constantAttenuation);
        glLightf(light, GL_LINEAR_ATTENUATION, s.linearAttenuation);
        glLightf(light, GL_QUADRATIC_ATTENUATION, s.quadraticAttenuation);
    }
}

void CGLPictureCtrl::RotateView(float angle, float x, float y, float z)
{
    // A turn about no axis (a spin step without movement) keeps the rotation as it is.
    float rotated[16];
    if (PreRotate(angle, x, y, z, m_rotation, rotated))
        std::copy(rotated, rotated + 16, m_rotation);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyView();
}

void CGLPictureCtrl::ProjectToSphere(CPoint point, float width, float height, float result[3])
{
    if (!(width > 0.0f) || !(height > 0.0f))
    {
        // A window without area has no trackball; its centre stands in.
        result[0] = 0.0f;
        result[1] = 0.0f;
        result[2] = 1.0f;
        return;
    }
    const float px = static_cast<float>(point.x);
    const float py = static_cast<float>(point.y);
    const float x = (2.0f * px - width) / width * 0.5f;
    const float y = (height - 2.0f * py) / height * 0.5f;
    float d = std::sqrt(x * x + y * y);
    if (!(d < 1.0f))
        d = 1.0f;
    const float z = static_cast<float>(std::cos(d * kHalfPi));
    const float n = std::sqrt(x * x + y * y + z * z);
    const float scale = 1.0f / n;
    result[0] = x * scale;
    result[1] = y * scale;
    result[2] = z * scale;
}

void CGLPictureCtrl::SpinStep(CPoint point)
{
    float v[3];
    ProjectToSphere(point, static_cast<float>(m_cx), static_cast<float>(m_cy), v);
    const float* l = m_lastVec;
    const float dx = v[0] - l[0];
    const float dy = v[1] - l[1];
    const float dz = v[2] - l[2];
    const float angle = std::sqrt(dx * dx + dy * dy + dz * dz) * kSpinDegreesPerUnit;
    const float axis[3] = {l[1] * v[2] - l[2] * v[1], l[2] * v[0] - l[0] * v[2],
                           l[0] * v[1] - l[1] * v[0]};
    std::copy(v, v + 3, m_lastVec);
    RotateView(angle, axis[0], axis[1], axis[2]);
}

void CGLPictureCtrl::PanStep(CPoint point)
{
    // The points are device pixels: the model follows the cursor pixel for pixel.
    const float devicePerUnit = m_zoom * PixelScale();
    m_center[0] -= static_cast<float>(point.x - m_lastPoint.x) / devicePerUnit;
    m_center[1] += static_cast<float>(point.y - m_lastPoint.y) / devicePerUnit;
    m_lastPoint = point;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyView();
}

void CGLPictureCtrl::ZoomStep(CPoint point)
{
    const float exponent = static_cast<float>(m_lastPoint.y - point.y) * kZoomExponentPerPixel;
    const float zoom = m_zoom * std::pow(2.0f, exponent);
    // The scale has no bounds, but it stays a positive number: a scale that ran out to 0 or
    // infinity could never be zoomed back and would leave the projection degenerate.
    if (std::isnormal(zoom))
        m_zoom = zoom;
    m_lastPoint = point;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    SetProjection();
    glMatrixMode(GL_MODELVIEW);
}
