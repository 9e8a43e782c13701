// What a label costs: rasterising a line, rendering a changed text into its list, and
// replaying an unchanged one, as the frame-rate line does every frame. Run under a display.
#include "platform/TextBitmap.h"
#include "tests/support/OffscreenGL.h"
#include "view/OGLJText.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{
constexpr const wchar_t* kFpsLine = L"   63[fps] ( 0.0160[spf] )";

void BM_CreateLabelFont(benchmark::State& state)
{
    DeviceContext dc;
    for (auto _ : state)
    {
        HFONT font = CreateLabelFont(&dc, L"FixedSys", 12.0f);
        benchmark::DoNotOptimize(font);
        DeleteObject(font);
    }
}
BENCHMARK(BM_CreateLabelFont);

void BM_RenderTextBitmap(benchmark::State& state)
{
    DeviceContext dc;
    HFONT font = CreateLabelFont(&dc, L"FixedSys", 12.0f);
    for (auto _ : state)
    {
        int size[2] = {};
        BYTE* bits = RenderTextBitmap(&dc, font, kFpsLine, size);
        benchmark::DoNotOptimize(bits);
        std::free(bits);
    }
    DeleteObject(font);
}
BENCHMARK(BM_RenderTextBitmap)->Unit(benchmark::kMicrosecond);

// A new text every iteration: format, render, compile and draw, then glFinish.
void BM_LabelChangedText(benchmark::State& state)
{
    OffscreenGL gl(256, 64);
    gl.UsePixelProjection();
    COGLJText label(12.0f);
    int n = 0;
    for (auto _ : state)
    {
        label.SetText(L"%5d[fps] ( %6.4lf[spf] )", n, n / 1000.0);
        n = (n + 1) % 1000;
        glRasterPos2i(4, 60);
        label.Draw();
        glFinish();
    }
}
BENCHMARK(BM_LabelChangedText)->Unit(benchmark::kMicrosecond);

// The same text every iteration: SetText compares, Draw replays the list.
void BM_LabelUnchangedText(benchmark::State& state)
{
    OffscreenGL gl(256, 64);
    gl.UsePixelProjection();
    COGLJText label(12.0f);
    for (auto _ : state)
    {
        label.SetText(L"%5d[fps] ( %6.4lf[spf] )", 63, 0.016);
        glRasterPos2i(4, 60);
        label.Draw();
        glFinish();
    }
}
BENCHMARK(BM_LabelUnchangedText)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
