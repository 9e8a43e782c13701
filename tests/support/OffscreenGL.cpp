#include "tests/support/OffscreenGL.h"

#include "platform/gl.h"

#include <QImage>
#include <QOpenGLContext>
#include <QWindow>

#include <algorithm>
#include <vector>

QSurfaceFormat CompatibilityFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setOption(QSurfaceFormat::DeprecatedFunctions);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(32);
    return format;
}

OffscreenGL::OffscreenGL(int width, int height)
    : m_width(width), m_height(height), m_pWindow(std::make_unique<QWindow>()),
      m_pContext(std::make_unique<QOpenGLContext>())
{
    const QSurfaceFormat format = CompatibilityFormat();
    m_pWindow->setSurfaceType(QSurface::OpenGLSurface);
    m_pWindow->setFormat(format);
    m_pWindow->resize(width, height);
    m_pWindow->create();
    m_pContext->setFormat(format);
    m_bValid = m_pContext->create() && MakeCurrent();
}

OffscreenGL::~OffscreenGL()
{
    DoneCurrent();
}

bool OffscreenGL::MakeCurrent()
{
    return m_pContext->isValid() && m_pContext->makeCurrent(m_pWindow.get());
}

void OffscreenGL::DoneCurrent()
{
    if (QOpenGLContext::currentContext() == m_pContext.get())
        m_pContext->doneCurrent();
}

QSurfaceFormat OffscreenGL::Format() const
{
    return m_pContext->format();
}

void OffscreenGL::UsePixelProjection()
{
    glViewport(0, 0, m_width, m_height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, m_width, 0.0, m_height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

QImage OffscreenGL::ReadPixels()
{
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(m_width) * m_height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, m_width, m_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    QImage image(m_width, m_height, QImage::Format_RGB888);
    for (int y = 0; y < m_height; ++y) // GL rows run bottom-up
        std::copy_n(rgb.data() + static_cast<std::size_t>(m_height - 1 - y) * m_width * 3,
                    m_width * 3, image.scanLine(y));
    return image;
}
