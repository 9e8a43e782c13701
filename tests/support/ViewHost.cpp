#include "tests/support/ViewHost.h"

#include "geometry/BrilliantCut.h"
#include "model/AssembleModel.h"
#include "model/Model.h"
#include "res/resource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <vector>

std::unique_ptr<CModel> MakeDefaultStone()
{
    CutParameters cut = kDefaultCut;
    CutMesh mesh;
    const int n = GenerateBrilliantCut(cut, mesh);
    auto model = std::make_unique<CModel>();
    int triangles = 0;
    if (n > 0)
        AssembleModel(mesh.vertices.get(), mesh.indexList.get(), mesh.faceTable.get(),
                      mesh.faceNormals.get(), n, *model, triangles);
    return model;
}

ViewHost::ViewHost(int width, int height, bool bShow)
    : m_pView(std::make_unique<CGLPictureCtrl>()), m_pWindow(std::make_unique<QWidget>())
{
    m_pWindow->setWindowTitle(QStringLiteral("View"));
    auto* layout = new QVBoxLayout(m_pWindow.get());
    layout->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QFrame(m_pWindow.get());
    layout->addWidget(frame);
    m_pWindow->resize(width, height);
    m_pWindow->move(0, 0);
    // The frame gets its size from the layout when the window is laid out; binding reads it.
    frame->resize(width, height);
    m_pView->SetDragCursors(IDC_CURSOR_SPIN, IDC_CURSOR_PAN);
    m_pView->SubclassWindow(frame);
    if (bShow)
    {
        m_pWindow->show();
        WaitExposed();
    }
}

ViewHost::~ViewHost()
{
    m_pWindow.reset();
    m_pView.reset();
}

void ViewHost::ProcessEvents(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    while (timer.elapsed() < ms);
}

bool ViewHost::WaitExposed(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (NativeWindow() != nullptr && !NativeWindow()->isExposed() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // Let the first size and paint notifications arrive.
    ProcessEvents(20);
    return NativeWindow() != nullptr && NativeWindow()->isExposed();
}

void ViewHost::LoadDefaultStone()
{
    CGLPictureCtrl& view = View();
    delete view.m_pModel;
    view.m_pModel = MakeDefaultStone().release();
    view.DeleteModelLists();
    std::fill(view.m_pick, view.m_pick + 10, 0u);
    view.m_axesList = 0;
}

void ViewHost::SetHomeView()
{
    CGLPictureCtrl& view = View();
    CRect client;
    view.GetClientRect(&client);
    view.m_cx = client.Width();
    view.m_cy = client.Height();
    glViewport(0, 0, view.m_cx, view.m_cy);
    if (view.m_hRC != nullptr)
        view.ApplyHomeView();
}

void ViewHost::ShowDefaultStone()
{
    LoadDefaultStone();
    SetHomeView();
}

bool ViewHost::Paint()
{
    if (NativeWindow() == nullptr || !NativeWindow()->isExposed())
        return false;
    View().InvalidateRect(nullptr, FALSE);
    View().UpdateWindow();
    return true;
}

QImage ViewHost::Frame()
{
    Paint();
    return ReadFront();
}

QImage ViewHost::ReadFront()
{
    QWindow* window = NativeWindow();
    if (window == nullptr || !window->isExposed())
        return QImage();
    // What the window shows, as the window system has it.
    QCoreApplication::processEvents();
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    return shot.toImage().convertToFormat(QImage::Format_RGB888);
}

QImage ViewHost::ReadBack()
{
    CGLPictureCtrl& view = View();
    if (view.m_pDC == nullptr || view.m_hRC == nullptr || view.m_cx < 1 || view.m_cy < 1)
        return QImage();
    wglMakeCurrent(view.m_pDC->GetSafeHdc(), view.m_hRC);
    const int w = view.m_cx;
    const int h = view.m_cy;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) // GL rows run bottom-up
        std::copy_n(rgb.data() + static_cast<std::size_t>(h - 1 - y) * w * 3, w * 3,
                    image.scanLine(y));
    return image;
}

void ViewHost::SendMouse(QEvent::Type type, Qt::MouseButton button, QPointF pos,
                         Qt::MouseButtons buttons)
{
    QWindow* window = NativeWindow();
    if (window == nullptr)
        return;
    QMouseEvent event(type, pos, window->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

void ViewHost::Click(Qt::MouseButton button, QPointF pos)
{
    SendMouse(QEvent::MouseButtonPress, button, pos, button);
    SendMouse(QEvent::MouseButtonRelease, button, pos, Qt::NoButton);
}

void ViewHost::Drag(Qt::MouseButton button, QPointF from, QPointF to, int steps)
{
    SendMouse(QEvent::MouseButtonPress, button, from, button);
    for (int i = 1; i <= steps; ++i)
        SendMouse(QEvent::MouseMove, Qt::NoButton, from + (to - from) * (double(i) / steps),
                  button);
    SendMouse(QEvent::MouseButtonRelease, button, to, Qt::NoButton);
}

void ViewHost::SendWheel(int delta, QPointF pos)
{
    QWindow* window = NativeWindow();
    if (window == nullptr)
        return;
    QWheelEvent event(pos, window->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &event);
}

std::unique_ptr<CModel> MakeTriangleModel(const std::vector<Corner3>& c)
{
    auto model = std::make_unique<CModel>();
    auto group = std::make_unique<ModelGroup>();
    for (std::size_t t = 0; t + 2 < c.size(); t += 3)
    {
        const Corner3 a = c[t], b = c[t + 1], d = c[t + 2];
        const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const float vx = d.x - a.x, vy = d.y - a.y, vz = d.z - a.z;
        Float3 n{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
        const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (length > 0.0f)
            n = Float3{n.x / length, n.y / length, n.z / length};
        const auto index = static_cast<std::int32_t>(model->m_vecTriangles.size());
        ModelTriangle triangle;
        for (int k = 0; k < 3; ++k)
        {
            const Corner3 p = c[t + k];
            model->m_vecVertices.push_back(Float3{p.x, p.y, p.z});
            triangle.vertex[k] = 3 * index + k;
        }
        triangle.faceNormal = index;
        model->m_vecFaceNormals.push_back(n);
        model->m_vecTriangles.push_back(triangle);
        group->triangles.push_back(static_cast<std::uint32_t>(index));
    }
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    std::copy(black, black + 4, group->specular);
    model->m_vecGroups.push_back(std::move(group));
    return model;
}

Rgb PixelAt(const QImage& image, int x, int y)
{
    if (!image.valid(x, y))
        return Rgb{-1, -1, -1};
    const QRgb p = image.pixel(x, y);
    return Rgb{qRed(p), qGreen(p), qBlue(p)};
}

bool Near(Rgb pixel, Rgb expected, int tolerance)
{
    return std::abs(pixel.r - expected.r) <= tolerance &&
           std::abs(pixel.g - expected.g) <= tolerance &&
           std::abs(pixel.b - expected.b) <= tolerance;
}

int CountNear(const QImage& image, Rgb expected, int tolerance)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Near(PixelAt(image, x, y), expected, tolerance))
                ++count;
    return count;
}

int CountNearAround(const QImage& image, int x, int y, int half, Rgb expected, int tolerance)
{
    return CountNear(image.copy(x - half, y - half, 2 * half, 2 * half), expected, tolerance);
}

std::ostream& operator<<(std::ostream& os, const Rgb& c)
{
    return os << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}
