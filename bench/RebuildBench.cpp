#include "geometry/BrilliantCut.h"
#include "geometry/CutParameters.h"
#include "model/AssembleModel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
constexpr int kGirdleSamples = 512;
constexpr int kOutlinePoints = 2 * kGirdleSamples;
constexpr int kDefaultFacets = 2128;
constexpr double kDegToRad = 0.017453292519943295;

int Generate(CutMesh& mesh, CutParameters& c)
{
    return GenerateBrilliantCut(c, mesh);
}

// The generator alone, with fresh slots on every call, while the view holds the model of
// an earlier rebuild. That model lies above the released buffers and keeps them in the
// heap for the next call, as in the program; with nothing else alive the loop would
// measure the allocator trimming the top of its heap and faulting it in again each call.
void BM_Generate(benchmark::State& state)
{
    CModel shown;
    {
        CutMesh mesh;
        CutParameters cut = kDefaultCut;
        const int n = Generate(mesh, cut);
        int triangles = 0;
        AssembleModel(mesh.vertices.get(), mesh.indexList.get(), mesh.faceTable.get(),
                      mesh.faceNormals.get(), n, shown, triangles);
    }
    for (auto _ : state)
    {
        CutMesh mesh;
        CutParameters cut = kDefaultCut;
        benchmark::DoNotOptimize(cut);
        const int n = Generate(mesh, cut);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(mesh.faceNormals.get());
    }
    benchmark::DoNotOptimize(shown.m_vecVertices.data());
}
BENCHMARK(BM_Generate);

// One rebuild as the dialog runs it: fresh slots, the generator, a new model assembled
// from the mesh in place of the one shown, the buffers released.
void BM_GenerateAndAssemble(benchmark::State& state)
{
    std::unique_ptr<CModel> shown;
    for (auto _ : state)
    {
        CutMesh mesh;
        CutParameters cut = kDefaultCut;
        benchmark::DoNotOptimize(cut);
        const int n = Generate(mesh, cut);
        auto model = std::make_unique<CModel>();
        int triangles = 0;
        AssembleModel(mesh.vertices.get(), mesh.indexList.get(), mesh.faceTable.get(),
                      mesh.faceNormals.get(), n, *model, triangles);
        shown = std::move(model);
        benchmark::DoNotOptimize(shown->m_vecVertices.data());
    }
}
BENCHMARK(BM_GenerateAndAssemble);

// What no rebuild can go below: the cosine and sine of the girdle samples for both
// outlines, and the normalisation of every facet's normal, into buffers that exist.
void BM_Floor(benchmark::State& state)
{
    std::vector<double> outline(2 * kOutlinePoints);
    std::vector<double> normals(3 * kDefaultFacets);
    std::vector<double> products(3 * kDefaultFacets);
    for (int k = 0; k < kDefaultFacets; ++k)
    {
        products[3 * k] = 0.3 + k * 1e-4;
        products[3 * k + 1] = -0.7 + k * 2e-4;
        products[3 * k + 2] = 0.5 - k * 1e-4;
    }
    for (auto _ : state)
    {
        double radius = kDefaultCut.diamondSemiDiameter;
        benchmark::DoNotOptimize(radius);
        for (int i = 0; i < kOutlinePoints; ++i)
        {
            const int k = i % kGirdleSamples;
            const double theta = (k * 360 * 0.001953125) * kDegToRad;
            outline[2 * i] = std::cos(theta) * radius;
            outline[2 * i + 1] = std::sin(theta) * radius;
        }
        for (int k = 0; k < kDefaultFacets; ++k)
        {
            const double x = products[3 * k];
            const double y = products[3 * k + 1];
            const double z = products[3 * k + 2];
            const double len = std::sqrt(x * x + y * y + z * z);
            normals[3 * k] = x / len;
            normals[3 * k + 1] = y / len;
            normals[3 * k + 2] = z / len;
        }
        benchmark::DoNotOptimize(outline.data());
        benchmark::DoNotOptimize(normals.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor);
} // namespace

BENCHMARK_MAIN();
