#pragma once
// A current OpenGL context for tests: compatibility profile, so the fixed-function calls
// work, on a small window that is never shown, whose back buffer is read back as an image.

#include <QSurfaceFormat>

#include <memory>

class QImage;
class QOpenGLContext;
class QWindow;

class OffscreenGL
{
public:
    explicit OffscreenGL(int width = 64, int height = 64);
    ~OffscreenGL();
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    // False when no context could be created or made current (tests then skip).
    bool IsValid() const { return m_bValid; }
    bool MakeCurrent();
    void DoneCurrent();
    // What the context got, not what was asked (depth bits in particular).
    QSurfaceFormat Format() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Viewport over the whole window, projection in pixels with y up from the bottom-left
    // corner, identity model-view.
    void UsePixelProjection();
    // The back buffer after glFinish, top row first, as RGB.
    QImage ReadPixels();

private:
    int m_width = 0;
    int m_height = 0;
    bool m_bValid = false;
    std::unique_ptr<QWindow> m_pWindow;
    std::unique_ptr<QOpenGLContext> m_pContext;
};

// The format asked for: double-buffered RGBA, 24 colour and 32 depth bits, compatibility.
QSurfaceFormat CompatibilityFormat();
