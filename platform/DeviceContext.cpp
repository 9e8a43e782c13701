#include "platform/DeviceContext.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QScreen>
#include <QSurface>
#include <QWindow>

#include <cmath>

namespace
{
int RoundDpi(qreal dpi)
{
    return dpi > 0.0 ? static_cast<int>(std::lround(dpi)) : 96;
}
} // namespace

int GetDeviceCaps(HDC hdc, int index)
{
    if (!hdc)
        return 0;
    switch (index)
    {
    case LOGPIXELSX:
        return hdc->logPixelsX;
    case LOGPIXELSY:
        return hdc->logPixelsY;
    default:
        return 0;
    }
}

void SetDeviceResolution(DeviceContext& dc, const QScreen* screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return; // keep the default resolution
    dc.logPixelsX = RoundDpi(screen->logicalDotsPerInchX());
    dc.logPixelsY = RoundDpi(screen->logicalDotsPerInchY());
}

HDC GetCurrentGLDC()
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context)
        return nullptr;
    const QScreen* screen = context->screen();
    if (QSurface* surface = context->surface();
        surface && surface->surfaceClass() == QSurface::Window)
        screen = static_cast<QWindow*>(surface)->screen();
    thread_local DeviceContext current;
    SetDeviceResolution(current, screen);
    return &current;
}
