#include "platform/Static.h"

#include "platform/MouseKeys.h"

#include <QCursor>
#include <QEvent>
#include <QExposeEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <limits>

// The native client window of a bound static control. It turns its events into messages
// for its owner and keeps the container it lives in the size of the frame.
class StaticWindow : public QWindow
{
public:
    StaticWindow(CStatic* pOwner, QWidget* pFrame) : m_pOwner(pOwner), m_pFrame(pFrame)
    {
        // The surface kind has to be known before the window is created; the pixel format
        // is set later, by whoever binds a rendering context to it.
        setSurfaceType(QSurface::OpenGLSurface);
        // The view takes the mouse, never the keyboard: a click in it must leave Escape, Tab,
        // Enter and the menu keys with the dialog. Without this the window system hands a
        // clicked native child the input focus, and its keys go nowhere.
        setFlag(Qt::WindowDoesNotAcceptFocus);
        pFrame->installEventFilter(this);
    }

    ~StaticWindow() override
    {
        if (m_pFrame != nullptr)
            m_pFrame->removeEventFilter(this);
        // The destroy notification goes out while the owner is whole and before the window
        // system forgets the surface, so a context bound to it can be released.
        if (m_pOwner != nullptr)
        {
            Message msg;
            msg.message = WM_DESTROY;
            m_pOwner->Dispatch(msg);
            m_pOwner->ForgetNativeWindow();
        }
        destroy();
    }

    void ForgetOwner() { m_pOwner = nullptr; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool DeliverMouse(QMouseEvent* e);
    bool DeliverWheel(QWheelEvent* e);
    CPoint ToClient(const QPointF& p) const;

    CStatic* m_pOwner;
    QPointer<QWidget> m_pFrame;
    QOffscreenSurface* m_pStandIn = nullptr;
};

namespace
{
UINT ButtonMessage(Qt::MouseButton button, bool bDown)
{
    switch (button)
    {
    case Qt::LeftButton:
        return bDown ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton:
        return bDown ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton:
        return bDown ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return 0;
    }
}

int ToDevice(double logical, double ratio)
{
    return static_cast<int>(std::lround(logical * ratio));
}
} // namespace

CPoint StaticWindow::ToClient(const QPointF& p) const
{
    // A logical pixel covers ratio × ratio device pixels; a point maps to the first of them.
    const double ratio = devicePixelRatio();
    return CPoint(static_cast<int>(std::floor(p.x() * ratio)),
                  static_cast<int>(std::floor(p.y() * ratio)));
}

bool StaticWindow::event(QEvent* e)
{
    if (m_pOwner == nullptr)
        return QWindow::event(e);
    switch (e->type())
    {
    case QEvent::Expose:
        if (isExposed())
            m_pOwner->DeliverPaint();
        return true;
    case QEvent::UpdateRequest:
        if (m_pOwner->m_bInvalid && isExposed())
            m_pOwner->DeliverPaint();
        return true;
    case QEvent::Resize:
    {
        const double ratio = devicePixelRatio();
        const QSize size = static_cast<QResizeEvent*>(e)->size();
        Message msg;
        msg.message = WM_SIZE;
        msg.nFlags = SIZE_RESTORED;
        msg.cx = ToDevice(size.width(), ratio);
        msg.cy = ToDevice(size.height(), ratio);
        m_pOwner->Dispatch(msg);
        return QWindow::event(e);
    }
    case QEvent::Move:
    {
        const double ratio = devicePixelRatio();
        Message msg;
        msg.message = WM_MOVE;
        msg.point = CPoint(ToDevice(x(), ratio), ToDevice(y(), ratio));
        m_pOwner->Dispatch(msg);
        return QWindow::event(e);
    }
    case QEvent::FocusIn:
        // Should a window system give the view the focus all the same, the dialog takes it
        // back, with the control that had it.
        if (m_pFrame != nullptr)
            if (QWindow* top = m_pFrame->window()->windowHandle(); top != nullptr && top != this)
                top->requestActivate();
        return QWindow::event(e);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        if (DeliverMouse(static_cast<QMouseEvent*>(e)))
            return true;
        return QWindow::event(e);
    case QEvent::Wheel:
        if (DeliverWheel(static_cast<QWheelEvent*>(e)))
            return true;
        return QWindow::event(e);
    case QEvent::PlatformSurface:
        // The surface can go while the window lives on (the window system recreates it). The
        // context stays current meanwhile, on a stand-in surface, so that camera and size
        // changes in the gap still reach it, and goes back to the window with its new surface.
        if (static_cast<QPlatformSurfaceEvent*>(e)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
        {
            QOpenGLContext* current = QOpenGLContext::currentContext();
            if (current != nullptr && current->surface() == this)
            {
                if (m_pStandIn == nullptr)
                {
                    m_pStandIn = new QOffscreenSurface(screen(), this);
                    m_pStandIn->setFormat(current->format());
                    m_pStandIn->create();
                }
                current->makeCurrent(m_pStandIn);
            }
        }
        else if (static_cast<QPlatformSurfaceEvent*>(e)->surfaceEventType() ==
                 QPlatformSurfaceEvent::SurfaceCreated)
        {
            QOpenGLContext* current = QOpenGLContext::currentContext();
            if (current != nullptr && m_pStandIn != nullptr && current->surface() == m_pStandIn)
                current->makeCurrent(this);
        }
        return QWindow::event(e);
    default:
        return QWindow::event(e);
    }
}

bool StaticWindow::DeliverMouse(QMouseEvent* e)
{
    Message msg;
    if (e->type() == QEvent::MouseMove)
        msg.message = WM_MOUSEMOVE;
    else
        msg.message = ButtonMessage(e->button(), e->type() == QEvent::MouseButtonPress);
    if (msg.message == 0)
        return false;
    msg.nFlags = MouseKeyState(e->buttons(), e->modifiers());
    msg.point = ToClient(e->position());
    m_pOwner->Dispatch(msg);
    e->accept();
    return true;
}

bool StaticWindow::DeliverWheel(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    if (delta == 0)
        return false; // a sideways turn is no wheel message
    Message msg;
    msg.message = WM_MOUSEWHEEL;
    msg.nFlags = MouseKeyState(e->buttons(), e->modifiers());
    msg.zDelta = static_cast<short>(std::clamp(delta, int(std::numeric_limits<short>::min()),
                                               int(std::numeric_limits<short>::max())));
    const QPointF global = e->globalPosition();
    msg.point =
        CPoint(static_cast<int>(std::floor(global.x())), static_cast<int>(std::floor(global.y())));
    m_pOwner->Dispatch(msg);
    // Handled here: the wheel is not handed on to the windows around the view.
    e->accept();
    return true;
}

bool StaticWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_pFrame && e->type() == QEvent::Resize && m_pOwner != nullptr &&
        m_pOwner->m_pContainer != nullptr)
        m_pOwner->m_pContainer->setGeometry(m_pFrame->rect());
    return QWindow::eventFilter(watched, e);
}

CStatic::~CStatic()
{
    if (GetCapture() == this)
        ReleaseCapture();
    if (m_pNative != nullptr)
        m_pNative->ForgetOwner();
    QWidget* container = m_pContainer;
    m_pNative = nullptr;
    m_pContainer = nullptr;
    delete container;
}

BOOL CStatic::SubclassWindow(QWidget* pFrame)
{
    if (pFrame == nullptr || m_pNative != nullptr)
        return FALSE;
    m_dwStyle |= WS_CHILD;
    Attach(pFrame);
    m_pNative = new StaticWindow(this, pFrame);
    // The container takes the window over and deletes it with itself; it is a child of the
    // frame, so the frame's destruction takes both.
    m_pContainer = QWidget::createWindowContainer(m_pNative, pFrame);
    m_pContainer->setFocusPolicy(Qt::NoFocus); // neither Tab nor a click gives it the keyboard
    m_pContainer->setGeometry(pFrame->rect());
    m_pContainer->show();
    PreSubclassWindow();
    return TRUE;
}

void CStatic::DestroyWindow()
{
    if (GetCapture() == this)
        ReleaseCapture();
    delete m_pContainer; // its window delivers WM_DESTROY and forgets us
    m_pContainer = nullptr;
    m_pNative = nullptr;
    Detach();
}

void CStatic::ForgetNativeWindow()
{
    m_pNative = nullptr;
    m_pContainer = nullptr;
    m_bInvalid = false;
}

QWindow* CStatic::GetSurfaceWindow() const
{
    return m_pNative;
}

QWindow* CStatic::GetNativeWindow() const
{
    return m_pNative;
}

double CStatic::GetDevicePixelRatio() const
{
    return m_pNative != nullptr ? m_pNative->devicePixelRatio() : 1.0;
}

void CStatic::GetClientRect(CRect* pRect) const
{
    if (pRect == nullptr)
        return;
    *pRect = CRect();
    if (m_pContainer == nullptr)
        return;
    // The container follows the frame at once, the native window only once it is shown,
    // so the container's size is the one the dialog has just laid out.
    const double ratio = GetDevicePixelRatio();
    *pRect = CRect(0, 0, ToDevice(m_pContainer->width(), ratio),
                   ToDevice(m_pContainer->height(), ratio));
}

void CStatic::InvalidateRect(const CRect* /*pRect*/, BOOL /*bErase*/)
{
    // The whole surface is redrawn by every paint, so any invalid part invalidates it all.
    if (m_pNative == nullptr)
        return;
    if (!m_bInvalid)
        m_pNative->requestUpdate();
    m_bInvalid = true;
}

void CStatic::UpdateWindow()
{
    if (m_pNative != nullptr && m_bInvalid && m_pNative->isExposed())
        DeliverPaint();
}

void CStatic::ValidateRect(const CRect* /*pRect*/)
{
    m_bInvalid = false;
}

void CStatic::DeliverPaint()
{
    // Painting validates the area whatever the handler does, and with no handler too.
    ValidateRect(nullptr);
    Message msg;
    msg.message = WM_PAINT;
    Dispatch(msg);
}

void CStatic::GrabMouse(bool bGrab)
{
    if (m_pNative == nullptr)
        return;
    m_pNative->setMouseGrabEnabled(bGrab);
    // A drag's cursor lasts as long as the drag; then the window's own cursor is back.
    if (!bGrab)
        m_pNative->unsetCursor();
}

void CStatic::ApplyCursor(const QCursor& cursor)
{
    if (m_pNative != nullptr)
        m_pNative->setCursor(cursor);
}
