#include "platform/GLContext.h"

#include "platform/Wnd.h"
#include "platform/gl.h"

#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// The one format a window offers: every descriptor that can be served is served by it.
constexpr int kWindowFormat = 1;

// What the window system knows of a window's client DC.
struct WindowDC
{
    DeviceContext dc; // first, so that the handle is the address of the record
    QWindow* window = nullptr;
    bool bFormatSet = false;
    QSurfaceFormat format;
};

std::vector<WindowDC*>& LiveDCs()
{
    static std::vector<WindowDC*> dcs;
    return dcs;
}

WindowDC* Find(HDC hdc)
{
    if (hdc == nullptr)
        return nullptr;
    for (WindowDC* w : LiveDCs())
        if (&w->dc == hdc)
            return w;
    return nullptr;
}

QSurfaceFormat ToSurfaceFormat(const PIXELFORMATDESCRIPTOR& pfd)
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    // Without the deprecated functions Qt hands out a core profile, where every
    // fixed-function call silently draws nothing.
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setOption(QSurfaceFormat::DeprecatedFunctions);
    f.setSwapBehavior((pfd.dwFlags & PFD_DOUBLEBUFFER) != 0 ? QSurfaceFormat::DoubleBuffer
                                                            : QSurfaceFormat::SingleBuffer);
    const int channel = pfd.cColorBits / 3;
    f.setRedBufferSize(channel);
    f.setGreenBufferSize(channel);
    f.setBlueBufferSize(channel);
    f.setAlphaBufferSize(pfd.cAlphaBits);
    f.setDepthBufferSize(pfd.cDepthBits);
    f.setStencilBufferSize(pfd.cStencilBits);
    return f;
}

// A surface asked for without alpha can get an alpha channel all the same (natively on
// Wayland Qt asks for one for its window decorations), and the compositor then blends with
// what lies behind the window whatever alpha the frame left. The channel alone is filled
// opaque before the frame goes out, so the window shows the colours drawn, as a surface
// without alpha shows them.
void MakeAlphaOpaque()
{
    GLboolean mask[4] = {};
    GLfloat clear[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}

} // namespace

CClientDC::CClientDC(CWnd* pWnd)
{
    QWindow* window = pWnd != nullptr ? pWnd->GetSurfaceWindow() : nullptr;
    if (window == nullptr)
        return;
    auto* w = new WindowDC;
    w->window = window;
    SetDeviceResolution(w->dc, window->screen());
    // Drawing goes to device pixels: text sized for them keeps its size where the window
    // system scales.
    const double ratio = window->devicePixelRatio();
    w->dc.logPixelsX = static_cast<int>(std::lround(w->dc.logPixelsX * ratio));
    w->dc.logPixelsY = static_cast<int>(std::lround(w->dc.logPixelsY * ratio));
    // A window keeps its format for life, so a second DC of it sees the one already set.
    if (window->format().renderableType() == QSurfaceFormat::OpenGL)
        for (WindowDC* other : LiveDCs())
            if (other->window == window && other->bFormatSet)
            {
                w->bFormatSet = true;
                w->format = other->format;
            }
    LiveDCs().push_back(w);
    m_hDC = &w->dc;
}

CClientDC::~CClientDC()
{
    WindowDC* w = Find(m_hDC);
    if (w == nullptr)
        return;
    auto& dcs = LiveDCs();
    dcs.erase(std::remove(dcs.begin(), dcs.end(), w), dcs.end());
    delete w;
}

QWindow* WindowFromDC(HDC hdc)
{
    WindowDC* w = Find(hdc);
    return w != nullptr ? w->window : nullptr;
}

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd)
{
    if (Find(hdc) == nullptr || ppfd == nullptr)
        return 0;
    constexpr DWORD required = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((ppfd->dwFlags & required) != required || ppfd->iPixelType != PFD_TYPE_RGBA ||
        ppfd->iLayerType != PFD_MAIN_PLANE)
        return 0;
    return kWindowFormat;
}

BOOL SetPixelFormat(HDC hdc, int iPixelFormat, const PIXELFORMATDESCRIPTOR* ppfd)
{
    WindowDC* w = Find(hdc);
    if (w == nullptr || ppfd == nullptr || iPixelFormat != kWindowFormat || w->bFormatSet ||
        ChoosePixelFormat(hdc, ppfd) != kWindowFormat)
        return FALSE;
    // The format counts from the window's creation on; a window created already is
    // created again with it.
    const QSurfaceFormat format = ToSurfaceFormat(*ppfd);
    w->window->setFormat(format);
    if (w->window->handle() != nullptr)
    {
        w->window->destroy();
        w->window->create();
    }
    w->format = format;
    w->bFormatSet = true;
    return TRUE;
}

BOOL DescribePixelFormat(HDC hdc, PIXELFORMATDESCRIPTOR* ppfd)
{
    WindowDC* w = Find(hdc);
    if (w == nullptr || ppfd == nullptr || !w->bFormatSet)
        return FALSE;
    QSurfaceFormat f = w->format;
    if (w->window->handle() != nullptr)
        f = w->window->format();
    if (QOpenGLContext* current = QOpenGLContext::currentContext();
        current != nullptr && current->surface() == w->window)
        f = current->format();
    PIXELFORMATDESCRIPTOR pfd;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (f.swapBehavior() != QSurfaceFormat::SingleBuffer)
        pfd.dwFlags |= PFD_DOUBLEBUFFER;
    pfd.cColorBits = static_cast<BYTE>(
        std::max(0, f.redBufferSize() + f.greenBufferSize() + f.blueBufferSize()));
    pfd.cAlphaBits = static_cast<BYTE>(std::max(0, f.alphaBufferSize()));
    pfd.cDepthBits = static_cast<BYTE>(std::max(0, f.depthBufferSize()));
    pfd.cStencilBits = static_cast<BYTE>(std::max(0, f.stencilBufferSize()));
    *ppfd = pfd;
    return TRUE;
}

HGLRC wglCreateContext(HDC hdc)
{
    WindowDC* w = Find(hdc);
    if (w == nullptr || !w->bFormatSet)
        return nullptr;
    auto* context = new QOpenGLContext;
    context->setFormat(w->format);
    context->setScreen(w->window->screen());
    if (!context->create())
    {
        delete context;
        return nullptr;
    }
    return context;
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc)
{
    if (hglrc == nullptr)
    {
        if (QOpenGLContext* current = QOpenGLContext::currentContext())
            current->doneCurrent();
        return hdc == nullptr ? TRUE : FALSE;
    }
    WindowDC* w = Find(hdc);
    if (w == nullptr || !w->bFormatSet)
        return FALSE;
    // A context needs the window's surface, which exists once the window is created; a
    // window not yet shown is created here, hidden, and shown later by its container.
    if (w->window->handle() == nullptr)
        w->window->create();
    return hglrc->makeCurrent(w->window) ? TRUE : FALSE;
}

BOOL wglDeleteContext(HGLRC hglrc)
{
    if (hglrc == nullptr)
        return FALSE;
    if (QOpenGLContext::currentContext() == hglrc)
        hglrc->doneCurrent();
    delete hglrc;
    return TRUE;
}

HGLRC wglGetCurrentContext()
{
    return QOpenGLContext::currentContext();
}

HDC wglGetCurrentDC()
{
    QOpenGLContext* current = QOpenGLContext::currentContext();
    if (current == nullptr)
        return nullptr;
    for (WindowDC* w : LiveDCs())
        if (current->surface() == w->window)
            return &w->dc;
    return nullptr;
}

BOOL SwapBuffers(HDC hdc)
{
    WindowDC* w = Find(hdc);
    if (w == nullptr)
        return FALSE;
    QOpenGLContext* current = QOpenGLContext::currentContext();
    if (current == nullptr || current->surface() != w->window)
        return FALSE;
    if (!w->window->isExposed())
        return TRUE;
    if (w->format.alphaBufferSize() <= 0 && current->format().alphaBufferSize() > 0)
        MakeAlphaOpaque();
    current->swapBuffers(w->window);
    return TRUE;
}
