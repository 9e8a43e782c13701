#pragma once
// A device context: the surface that text is measured and rasterised for. Text needs only its
// logical resolution, so that is all it carries.

class QScreen;

struct DeviceContext
{
    int logPixelsX = 96;
    int logPixelsY = 96;
};
using HDC = DeviceContext*;

constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// 0 for a NULL hdc or an index it does not know.
int GetDeviceCaps(HDC hdc, int index);

// Takes the logical resolution of the screen (the primary screen when null).
void SetDeviceResolution(DeviceContext& dc, const QScreen* screen);

// The device context of the surface of the OpenGL context current on this thread, valid until
// the next call; NULL when none is current.
HDC GetCurrentGLDC();
