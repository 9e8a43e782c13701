#pragma once
// Binding OpenGL to a window: a device context for a window's client area, pixel formats
// described by a descriptor, rendering contexts made current on the calling thread, and
// the buffer swap. A window's pixel format is set once, before its first context.

#include "platform/DeviceContext.h"
#include "platform/Types.h"

class CWnd;
class QOpenGLContext;
class QWindow;

using WORD = std::uint16_t;
using HGLRC = QOpenGLContext*;

// Descriptor flags and kinds.
enum : DWORD
{
    PFD_DOUBLEBUFFER = 0x00000001,
    PFD_DRAW_TO_WINDOW = 0x00000004,
    PFD_SUPPORT_OPENGL = 0x00000020,
};
enum : BYTE
{
    PFD_TYPE_RGBA = 0,
    PFD_TYPE_COLORINDEX = 1,
    PFD_MAIN_PLANE = 0,
};

// The buffers a window's pixel format asks for; fields not listed are not offered.
struct PIXELFORMATDESCRIPTOR
{
    WORD nSize = 40; // the descriptor's size as its format defines it
    WORD nVersion = 1;
    DWORD dwFlags = 0;
    BYTE iPixelType = PFD_TYPE_RGBA;
    BYTE cColorBits = 0;
    BYTE cAlphaBits = 0;
    BYTE cAccumBits = 0;
    BYTE cDepthBits = 0;
    BYTE cStencilBits = 0;
    BYTE cAuxBuffers = 0;
    BYTE iLayerType = PFD_MAIN_PLANE;
};

// The device context of a window's client area. Its handle is valid while the object
// lives; GetSafeHdc is NULL when the window has no native surface to draw into.
class CClientDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    HDC m_hDC = nullptr;
};

// The index of a format that serves the descriptor (1, the one format a window offers),
// or 0 when it asks for something the window cannot give (no window or OpenGL drawing,
// colour-index pixels, overlay planes).
int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd);
// Gives the window of hdc the format; TRUE (1) on success. A window's format is set only
// once: a second call fails.
BOOL SetPixelFormat(HDC hdc, int iPixelFormat, const PIXELFORMATDESCRIPTOR* ppfd);
// What the window of hdc has been given (descriptor as read back from the context when
// one exists); FALSE when hdc has no format.
BOOL DescribePixelFormat(HDC hdc, PIXELFORMATDESCRIPTOR* ppfd);

// A rendering context for the pixel format of hdc (compatibility profile: the fixed
// function pipeline is available); NULL when hdc has no format or creation fails.
HGLRC wglCreateContext(HDC hdc);
// Makes hglrc current on hdc's window; both NULL makes no context current. TRUE on
// success.
BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc);
BOOL wglDeleteContext(HGLRC hglrc);
HGLRC wglGetCurrentContext();
// The window context the current rendering context draws into, NULL when none of ours is.
HDC wglGetCurrentDC();
// Shows the back buffer of the context current on hdc. A window that is not on screen
// keeps its back buffer: nothing can be shown.
BOOL SwapBuffers(HDC hdc);

// The native window behind a device context of ours; nullptr for any other.
QWindow* WindowFromDC(HDC hdc);
