// What the 3D view costs with the default stone in an 800 × 600 view: compiling the model's
// display lists, one frame from paint to swap, and one pick. Run under a display.
#include "tests/support/ViewHost.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::unique_ptr<ViewHost> OpenView()
{
    auto host = std::make_unique<ViewHost>(kWidth, kHeight);
    host->ShowDefaultStone();
    return host;
}

// The three lists compiled from the model, as the first frame after a rebuild does.
void BM_CompileModelLists(benchmark::State& state)
{
    auto host = OpenView();
    CGLPictureCtrl& view = host->View();
    for (auto _ : state)
    {
        view.DeleteModelLists();
        view.CompileFaceList();
        view.CompileLineList();
        view.CompilePointList();
    }
    glFinish();
}
BENCHMARK(BM_CompileModelLists)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// A whole frame with the facets shown: clear, axes, model, labels, overlay, finish, swap.
void BM_Frame(benchmark::State& state)
{
    auto host = OpenView();
    CGLPictureCtrl& view = host->View();
    view.OnPaint(); // compiles the lists
    for (auto _ : state)
        view.OnPaint();
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One pick on the pavilion with vertices, edges and facets shown and pickable.
void BM_Pick(benchmark::State& state)
{
    auto host = OpenView();
    CGLPictureCtrl& view = host->View();
    view.m_bRenderFaces = view.m_bRenderLines = view.m_bRenderPoints = TRUE;
    view.m_bPickFaces = view.m_bPickLines = view.m_bPickPoints = TRUE;
    int hits = 0;
    for (auto _ : state)
        hits = view.Pick(kWidth / 2 + 12, kHeight / 2 + 40);
    state.counters["hits"] = hits;
}
BENCHMARK(BM_Pick)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    {
        // The renderer the figures belong to.
        ViewHost probe(16, 16, false);
        const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        benchmark::AddCustomContext("GL_RENDERER", renderer != nullptr ? renderer : "none");
        benchmark::AddCustomContext("GL_VERSION", version != nullptr ? version : "none");
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
