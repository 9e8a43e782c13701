#pragma once
// A plain window holding one 3D view on a frame that fills it, for tests and benchmarks that
// need the view without the dialog: binds the view, hands it the default stone, sets the home
// view, and sends mouse input to the view's own native window.

#include "model/Model.h"
#include "view/GLPictureCtrl.h"

#include <QEvent>
#include <QPointF>

#include <iosfwd>
#include <memory>
#include <vector>

class QImage;
class QWidget;
class QWindow;

class ViewHost
{
public:
    // width × height in window-system pixels; shown and waited for unless bShow is false.
    explicit ViewHost(int width = 320, int height = 240, bool bShow = true);
    // Destroys the window first (the view releases its context), then the view.
    ~ViewHost();
    ViewHost(const ViewHost&) = delete;
    ViewHost& operator=(const ViewHost&) = delete;

    CGLPictureCtrl& View() { return *m_pView; }
    QWidget* Window() const { return m_pWindow.get(); }
    QWindow* NativeWindow() const { return m_pView->GetNativeWindow(); }

    // True once the view's window is on screen (waits up to timeoutMs).
    bool WaitExposed(int timeoutMs = 5000);
    // Runs the event loop for a while, so that scheduled paints arrive.
    static void ProcessEvents(int ms = 20);

    // The default stone as the view's model; its lists and pick are cleared.
    void LoadDefaultStone();
    // The dialog's first camera: client size, viewport, both matrices, RotateView(90, 1, 0, 0).
    void SetHomeView();
    // Both: the view as the tool opens.
    void ShowDefaultStone();

    // Invalidates the view and paints it at once; false when it is not on screen.
    bool Paint();
    // Paints and reads back what the window shows, in device pixels, top row first.
    QImage Frame();
    // What the window shows, without painting, in device pixels.
    QImage ReadFront();
    // The view's back buffer, without painting.
    QImage ReadBack();

    // Input to the view's native window at a point in window-system pixels.
    void SendMouse(QEvent::Type type, Qt::MouseButton button, QPointF pos,
                   Qt::MouseButtons buttons = Qt::NoButton);
    void Click(Qt::MouseButton button, QPointF pos);
    void Drag(Qt::MouseButton button, QPointF from, QPointF to, int steps = 1);
    void SendWheel(int delta, QPointF pos);

private:
    std::unique_ptr<CGLPictureCtrl> m_pView;
    std::unique_ptr<QWidget> m_pWindow;
};

// The default proportions, built and assembled: the stone the tool opens with.
std::unique_ptr<CModel> MakeDefaultStone();

struct Corner3
{
    float x, y, z;
};
// A model of flat triangles (three corners each) in one group, each with the normal of its
// winding; the group's specular is black, so a lit facet's colour is easy to work out.
std::unique_ptr<CModel> MakeTriangleModel(const std::vector<Corner3>& corners);

// 0..255 components of a pixel; (-1, -1, -1) outside the image.
struct Rgb
{
    int r, g, b;
};
constexpr bool operator==(Rgb a, Rgb b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
Rgb PixelAt(const QImage& image, int x, int y);
// Every component within tolerance.
bool Near(Rgb pixel, Rgb expected, int tolerance = 3);
// Pixels of the image within tolerance of the colour.
int CountNear(const QImage& image, Rgb expected, int tolerance = 3);
// The same within the square of side 2 · half around (x, y).
int CountNearAround(const QImage& image, int x, int y, int half, Rgb expected, int tolerance = 3);
std::ostream& operator<<(std::ostream& os, const Rgb& c);
