// The static control a frame becomes when bound: its native window's events reach the
// message map as messages, in device pixels, and paints are scheduled once per invalidation.
#include "platform/Static.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
class CRecordingStatic : public CStatic
{
public:
    void OnPaint() { ++m_paints; }
    void OnDestroy() { ++m_destroys; }
    void OnSize(UINT, int cx, int cy) { m_sizes.push_back(CSize(cx, cy)); }
    void OnLButtonDown(UINT nFlags, CPoint point) { Record(WM_LBUTTONDOWN, nFlags, point); }
    void OnLButtonUp(UINT nFlags, CPoint point) { Record(WM_LBUTTONUP, nFlags, point); }
    void OnRButtonDown(UINT nFlags, CPoint point) { Record(WM_RBUTTONDOWN, nFlags, point); }
    void OnRButtonUp(UINT nFlags, CPoint point) { Record(WM_RBUTTONUP, nFlags, point); }
    void OnMButtonDown(UINT nFlags, CPoint point) { Record(WM_MBUTTONDOWN, nFlags, point); }
    void OnMButtonUp(UINT nFlags, CPoint point) { Record(WM_MBUTTONUP, nFlags, point); }
    void OnMouseMove(UINT nFlags, CPoint point) { Record(WM_MOUSEMOVE, nFlags, point); }
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Record(WM_MOUSEWHEEL, nFlags, pt);
        m_wheelDeltas.push_back(zDelta);
        return TRUE;
    }

    struct Input
    {
        UINT message;
        UINT flags;
        CPoint point;
    };
    void Record(UINT message, UINT flags, CPoint point)
    {
        m_input.push_back({message, flags, point});
    }

    int m_paints = 0;
    int m_destroys = 0;
    std::vector<CSize> m_sizes;
    std::vector<Input> m_input;
    std::vector<short> m_wheelDeltas;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingStatic, CStatic)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void Spin(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool WaitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// Counts the wheel events that reach a widget.
class WheelCounter : public QObject
{
public:
    int m_count = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Wheel)
            ++m_count;
        return QObject::eventFilter(o, e);
    }
};

class StaticTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pWindow = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_pWindow.get());
        layout->setContentsMargins(0, 0, 0, 0);
        m_pFrame = new QFrame(m_pWindow.get());
        layout->addWidget(m_pFrame);
        m_pWindow->resize(200, 150);
        ASSERT_TRUE(m_static.SubclassWindow(m_pFrame));
        m_pWindow->show();
        ASSERT_TRUE(WaitFor([&] { return m_static.GetNativeWindow()->isExposed(); }));
        Spin(30);
    }

    void TearDown() override { m_pWindow.reset(); }

    double Ratio() const { return m_static.GetDevicePixelRatio(); }
    QWindow* Native() const { return m_static.GetNativeWindow(); }

    CRecordingStatic m_static;
    std::unique_ptr<QWidget> m_pWindow;
    QFrame* m_pFrame = nullptr;
};

TEST_F(StaticTest, BindingFillsTheFrameAndMeasuresInDevicePixels)
{
    CRect client;
    m_static.GetClientRect(&client);
    EXPECT_EQ(client.Width(), qRound(m_pFrame->width() * Ratio()));
    EXPECT_EQ(client.Height(), qRound(m_pFrame->height() * Ratio()));
    EXPECT_EQ(CWnd::FromWidget(m_pFrame), &m_static);
    EXPECT_EQ(m_static.GetWidget(), m_pFrame);
    ASSERT_FALSE(m_static.m_sizes.empty());
    EXPECT_EQ(m_static.m_sizes.back(), client.Size());

    m_pWindow->resize(260, 170);
    ASSERT_TRUE(WaitFor([&] { return m_static.m_sizes.back().cx == qRound(260 * Ratio()); }));
    EXPECT_EQ(m_static.m_sizes.back(), CSize(qRound(260 * Ratio()), qRound(170 * Ratio())));
    m_static.GetClientRect(&client);
    EXPECT_EQ(client.Size(), m_static.m_sizes.back());
}

TEST_F(StaticTest, InvalidationsBeforeAPaintMakeOnePaint)
{
    const int before = m_static.m_paints;
    m_static.Invalidate();
    m_static.Invalidate(FALSE);
    m_static.InvalidateRect(nullptr);
    EXPECT_EQ(m_static.m_paints, before); // scheduled, not painted
    ASSERT_TRUE(WaitFor([&] { return m_static.m_paints > before; }));
    Spin(50);
    EXPECT_EQ(m_static.m_paints, before + 1);
    EXPECT_FALSE(m_static.IsInvalid());
}

TEST_F(StaticTest, UpdateWindowPaintsAtOnceOnlyWhenInvalid)
{
    const int before = m_static.m_paints;
    m_static.UpdateWindow();
    EXPECT_EQ(m_static.m_paints, before);
    m_static.Invalidate();
    m_static.UpdateWindow();
    EXPECT_EQ(m_static.m_paints, before + 1);
    Spin(50);
    EXPECT_EQ(m_static.m_paints, before + 1); // the scheduled paint found nothing to do
}

TEST_F(StaticTest, MouseMessagesCarryClientPointsAndKeyState)
{
    struct Case
    {
        QEvent::Type type;
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        UINT message;
        UINT flags;
    };
    const Case cases[] = {
        {QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, WM_LBUTTONDOWN, MK_LBUTTON},
        {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, WM_MOUSEMOVE, MK_LBUTTON},
        {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, WM_LBUTTONUP, 0},
        {QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, WM_RBUTTONDOWN, MK_RBUTTON},
        {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, WM_RBUTTONUP, 0},
        {QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, WM_MBUTTONDOWN, MK_MBUTTON},
        {QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, WM_MBUTTONUP, 0},
    };
    const QPointF pos(37.0, 21.0);
    const CPoint device(int(37 * Ratio()), int(21 * Ratio()));
    for (const Case& c : cases)
    {
        m_static.m_input.clear();
        QMouseEvent e(c.type, pos, Native()->mapToGlobal(pos), c.button, c.buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(Native(), &e);
        ASSERT_EQ(m_static.m_input.size(), 1u) << c.message;
        EXPECT_EQ(m_static.m_input[0].message, c.message);
        EXPECT_EQ(m_static.m_input[0].flags, c.flags) << c.message;
        EXPECT_EQ(m_static.m_input[0].point, device) << c.message;
    }
}

TEST_F(StaticTest, AWheelTurnIsOneMessageAndStaysWithTheView)
{
    WheelCounter counter;
    m_pFrame->installEventFilter(&counter);
    m_pWindow->installEventFilter(&counter);
    const QPointF pos(10.0, 12.0);
    const QPointF global = Native()->mapToGlobal(pos);
    QWheelEvent e(pos, global, QPoint(), QPoint(0, -240), Qt::NoButton, Qt::ShiftModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Native(), &e);
    Spin(20);
    ASSERT_EQ(m_static.m_wheelDeltas.size(), 1u);
    EXPECT_EQ(m_static.m_wheelDeltas[0], -240);
    EXPECT_EQ(m_static.m_input[0].flags, UINT(MK_SHIFT));
    EXPECT_EQ(m_static.m_input[0].point, CPoint(int(global.x()), int(global.y())));
    EXPECT_TRUE(e.isAccepted());
    EXPECT_EQ(counter.m_count, 0);

    // A sideways turn is no wheel message.
    QWheelEvent sideways(pos, global, QPoint(), QPoint(120, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Native(), &sideways);
    EXPECT_EQ(m_static.m_wheelDeltas.size(), 1u);
}

TEST_F(StaticTest, DestroyingTheWindowNotifiesOnceAndUnbinds)
{
    m_pWindow.reset();
    EXPECT_EQ(m_static.m_destroys, 1);
    EXPECT_EQ(m_static.GetNativeWindow(), nullptr);
    EXPECT_EQ(m_static.GetWidget(), nullptr);
    CRect client(1, 2, 3, 4);
    m_static.GetClientRect(&client);
    EXPECT_EQ(client, CRect());
    m_static.Invalidate(); // harmless on a destroyed window
    m_static.UpdateWindow();
    EXPECT_EQ(m_static.m_destroys, 1);
}

TEST(StaticLifetime, AnObjectGoingFirstLeavesTheWindowWorking)
{
    auto window = std::make_unique<QWidget>();
    auto* frame = new QFrame(window.get());
    {
        CRecordingStatic bound;
        bound.SubclassWindow(frame);
        EXPECT_FALSE(bound.SubclassWindow(frame)); // bound once
    }
    // The object took its native window with it; the frame stays with its dialog.
    EXPECT_EQ(CWnd::FromWidget(frame), nullptr);
    EXPECT_TRUE(frame->findChildren<QWidget*>().isEmpty());
    window->show();
    Spin(20);
}
} // namespace
