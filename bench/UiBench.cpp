// One up-down step through the real main dialog, from the notification to the frame on
// screen, and its parts; and an arrow held down for ten seconds. The view is 800 x 600.
#include "ui/LapidoDlg.h"

#include "platform/CommonDialogs.h"
#include "platform/Controls.h"
#include "platform/NumberText.h"
#include "platform/Resource.h"
#include "platform/testing/Testing.h"
#include "res/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace
{
constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

class Dialog : public CLapidoDlg
{
public:
    using CLapidoDlg::OnDeltaposSpinCrownAngle;
};

// The dialog, shown, with its view at 800 x 600 pixels; it goes before the application.
std::unique_ptr<Dialog> g_pDialog;

Dialog& TheDialog()
{
    if (g_pDialog)
        return *g_pDialog;
    g_pDialog = std::make_unique<Dialog>();
    CreateModeless(*g_pDialog);
    if (!QTest::qWaitForWindowExposed(g_pDialog->GetWidget()))
        return *g_pDialog;
    CRect client;
    g_pDialog->m_glPicture.GetClientRect(&client);
    QWidget* window = g_pDialog->GetWidget();
    window->resize(window->width() + kViewWidth - client.Width(),
                   window->height() + kViewHeight - client.Height());
    for (int i = 0; i < 200; ++i)
    {
        QTest::qWait(10);
        g_pDialog->m_glPicture.GetClientRect(&client);
        if (client.Width() == kViewWidth && client.Height() == kViewHeight)
            break;
    }
    g_pDialog->m_glPicture.UpdateWindow();
    return *g_pDialog;
}

CSpinButtonCtrl* SpinOf(CLapidoDlg& dlg, int id)
{
    return dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(id));
}

void CheckViewSize(benchmark::State& state, CLapidoDlg& dlg)
{
    CRect client;
    dlg.m_glPicture.GetClientRect(&client);
    if (client.Width() != kViewWidth || client.Height() != kViewHeight)
        state.SkipWithError("the view did not get its 800 x 600 size");
}

// An arrow press as the control reports it, then the frame it brings: panel read, rebuild,
// panel written, display lists compiled, drawn and swapped. Up and down alternate so the
// stone stays the default one.
void BM_UpDownStepToFrame(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    CheckViewSize(state, dlg);
    CSpinButtonCtrl* spin = SpinOf(dlg, IDC_SPIN_CROWN_ANGLE);
    int delta = -1;
    for (auto _ : state)
    {
        PressArrow(*spin, delta);
        dlg.m_glPicture.UpdateWindow();
        delta = -delta;
    }
    state.counters["faceList"] = dlg.m_glPicture.m_faceList != 0 ? 1 : 0;
}
BENCHMARK(BM_UpDownStepToFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The parts of a step.
void BM_StepReadPanel(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    for (auto _ : state)
        dlg.ReadParameters();
}
BENCHMARK(BM_StepReadPanel)->Unit(benchmark::kMicrosecond);

void BM_StepWritePanel(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    for (auto _ : state)
        dlg.WriteParameters();
}
BENCHMARK(BM_StepWritePanel)->Unit(benchmark::kMicrosecond);

// Generate, write the panel, assemble, hand over (the panel write is inside).
void BM_StepRebuild(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    for (auto _ : state)
        dlg.RebuildModel();
    dlg.m_glPicture.UpdateWindow();
}
BENCHMARK(BM_StepRebuild)->Unit(benchmark::kMillisecond);

// The frame after a rebuild: the facet list compiled anew, drawn, swapped.
void BM_StepFrameWithNewLists(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    CheckViewSize(state, dlg);
    for (auto _ : state)
    {
        dlg.m_glPicture.DeleteModelLists();
        dlg.m_glPicture.InvalidateRect(nullptr, FALSE);
        dlg.m_glPicture.UpdateWindow();
    }
}
BENCHMARK(BM_StepFrameWithNewLists)->Unit(benchmark::kMillisecond);

// The same frame with the lists kept: drawing and swapping only.
void BM_StepFrameOnly(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    CheckViewSize(state, dlg);
    for (auto _ : state)
    {
        dlg.m_glPicture.InvalidateRect(nullptr, FALSE);
        dlg.m_glPicture.UpdateWindow();
    }
}
BENCHMARK(BM_StepFrameOnly)->Unit(benchmark::kMillisecond);

// Counts the frames the view paints: each update request that finds it invalid.
class FrameCounter : public QObject
{
public:
    FrameCounter(CGLPictureCtrl& view) : m_view(view) {}
    int m_nFrames = 0;
    qint64 m_lastFrameNs = 0;
    QElapsedTimer* m_pClock = nullptr;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if ((e->type() == QEvent::UpdateRequest || e->type() == QEvent::Expose) &&
            m_view.IsInvalid())
        {
            ++m_nFrames;
            m_lastFrameNs = m_pClock->nsecsElapsed();
        }
        return false;
    }

private:
    CGLPictureCtrl& m_view;
};

// The girdle-thickness up arrow held down with the mouse for ten seconds (it has no upper
// limit, so every repeat changes the stone). Reports the notifications, the rebuilds they
// caused, the frames painted, the longest the event loop went without turning, and whether
// the last frame came after the last notification and the panel shows the final value.
void BM_HoldUpArrowTenSeconds(benchmark::State& state)
{
    Dialog& dlg = TheDialog();
    CheckViewSize(state, dlg);
    QToolButton* up = dlg.GetDlgItem(IDC_SPIN_GIRDLE_THICKNESS)
                          ->GetWidget()
                          ->findChild<QToolButton*>(QStringLiteral("up"));
    if (up == nullptr)
    {
        state.SkipWithError("no up arrow");
        return;
    }
    for (auto _ : state)
    {
        dlg.SendMessage(WM_COMMAND, IDC_BUTTON_DEFAULT);
        QElapsedTimer clock;
        clock.start();
        int notifications = 0, rebuilds = 0;
        qint64 lastNotificationNs = 0;
        const CModel* model = dlg.m_glPicture.m_pModel;
        // Connected after the control's own handler, so it sees the rebuild that ran.
        const auto connection = QObject::connect(up, &QAbstractButton::pressed,
                                                 [&]
                                                 {
                                                     ++notifications;
                                                     lastNotificationNs = clock.nsecsElapsed();
                                                     if (dlg.m_glPicture.m_pModel != model)
                                                         ++rebuilds;
                                                     model = dlg.m_glPicture.m_pModel;
                                                 });
        FrameCounter frames(dlg.m_glPicture);
        frames.m_pClock = &clock;
        dlg.m_glPicture.GetNativeWindow()->installEventFilter(&frames);
        qint64 longestGapNs = 0, lastTickNs = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout,
                         [&]
                         {
                             const qint64 now = clock.nsecsElapsed();
                             longestGapNs = std::max(longestGapNs, now - lastTickNs);
                             lastTickNs = now;
                         });
        ticker.start(1);

        QTest::mousePress(up, Qt::LeftButton);
        QTest::qWait(10000);
        QTest::mouseRelease(up, Qt::LeftButton);
        QTest::qWait(200);

        ticker.stop();
        dlg.m_glPicture.GetNativeWindow()->removeEventFilter(&frames);
        QObject::disconnect(connection);
        CString shown;
        dlg.GetDlgItemText(IDC_EDIT_GIRDLE_THICKNESS, shown);
        const std::string expected = FormatFixed(0.26 + 0.1 * notifications, 3);
        state.counters["notifications"] = notifications;
        state.counters["rebuilds"] = rebuilds;
        state.counters["frames"] = frames.m_nFrames;
        state.counters["longestLoopGapMs"] = static_cast<double>(longestGapNs) / 1e6;
        state.counters["lastFrameAfterLastStep"] =
            frames.m_lastFrameNs > lastNotificationNs && !dlg.m_glPicture.IsInvalid() ? 1 : 0;
        state.counters["panelShowsFinal"] =
            std::string(shown.begin(), shown.end()) == expected ? 1 : 0;
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_HoldUpArrowTenSeconds)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    AfxSetResourceTable(&LapidoResources());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_pDialog.reset();
    return 0;
}
