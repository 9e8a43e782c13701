// Nine arbitrary doubles through the generator and the assembly. Any input must leave the
// mesh inside its buffers, every index on a stored vertex, and the nine values corrected
// and written back.

#include "geometry/BrilliantCut.h"
#include "geometry/CutParameters.h"
#include "model/AssembleModel.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr int kFields = 9;

void Require(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

struct Run
{
    CutMesh mesh;
    CutParameters cut;
    int facets = 0;
    int vertexCount = 0;
};

void Generate(Run& run)
{
    run.facets = GenerateBrilliantCut(run.cut, run.mesh, &run.vertexCount);
}

void CheckMesh(const Run& run)
{
    Require(run.facets >= 80 && run.facets <= kCutMaxFacets, "facet count");
    Require(run.vertexCount >= 42 && run.vertexCount <= kCutMaxVertices, "vertex count");
    Require((run.facets == 80) == (run.vertexCount == 42), "band exactly when thick");
    for (int k = 0; k < run.facets; ++k)
    {
        const FaceEntry& face = run.mesh.faceTable[k];
        Require(face.vertexCount == 3 && face.firstIndex == 3 * k, "face entry");
        for (int c = 0; c < 3; ++c)
        {
            const std::int32_t index = run.mesh.indexList[3 * k + c];
            Require(index >= 0 && index < run.vertexCount, "index on a stored vertex");
        }
        const double* n = run.mesh.faceNormals.get() + 3 * k;
        const double len2 = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
        Require(len2 == 0.0 ? (n[0] == 0.0 && n[1] == 0.0 && n[2] == 0.0)
                            : std::fabs(len2 - 1.0) < 1e-12,
                "normal of unit length or zero");
    }
}

void CheckValues(const CutParameters& in, const Run& run)
{
    const CutParameters& out = run.cut;
    Require(SameBits(out.diamondSemiDiameter, in.diamondSemiDiameter), "radius unchanged");
    Require(SameBits(out.girdleThickness, in.girdleThickness), "thickness unchanged");
    Require(!(out.crownAngle > 87.0), "crown angle capped");
    Require(!(out.pavilionAngle > 87.0), "pavilion angle capped");
    Require(!(out.lowerGirdlePoint > 0.95 * in.diamondSemiDiameter), "lower points capped");
}

void CheckModel(const Run& run)
{
    CModel model;
    int triangles = -1;
    const int result =
        AssembleModel(run.mesh.vertices.get(), run.mesh.indexList.get(), run.mesh.faceTable.get(),
                      run.mesh.faceNormals.get(), run.facets, model, triangles);
    const auto n = static_cast<std::size_t>(run.facets);
    Require(result == 0 && triangles == run.facets, "assembly result");
    Require(model.m_vecVertices.size() == 3 * n && model.m_vecFaceNormals.size() == n &&
                model.m_vecTriangles.size() == n && model.m_vecVertexNormals.empty(),
            "model sizes");
    Require(model.m_vecGroups.size() == 1 && model.m_vecGroups[0]->triangles.size() == n,
            "one group of all triangles");
    for (std::size_t t = 0; t < n; ++t)
    {
        const ModelTriangle& record = model.m_vecTriangles[t];
        Require(record.vertex[0] == static_cast<int>(3 * t) &&
                    record.faceNormal == static_cast<int>(t),
                "triangle record");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double values[kFields] = {};
    std::memcpy(values, data, size < sizeof values ? size : sizeof values);
    CutParameters in;
    std::memcpy(&in, values, sizeof in);

    Run run;
    run.cut = in;
    Generate(run);
    CheckMesh(run);
    CheckValues(in, run);

    // The derived upper girdle angle never depends on what the field held, and the whole
    // result is the same on a second call with the same input.
    Run again;
    again.cut = in;
    again.cut.upperGirdleAngle = -in.upperGirdleAngle + 1.0;
    Generate(again);
    Require(again.facets == run.facets && again.vertexCount == run.vertexCount, "repeatable");
    const double* fields = &run.cut.tableSemiDiameter;
    const double* fieldsAgain = &again.cut.tableSemiDiameter;
    for (int f = 0; f < kFields; ++f)
    {
        Require(SameBits(fields[f], fieldsAgain[f]), "values written back alike");
    }
    CheckModel(run);
    return 0;
}
