#include "geometry/BrilliantCut.h"

#include "geometry/CutBuilder.h"

#include <new>

namespace
{
constexpr double kThickGirdle = 1e-6;

CutBufferGate g_pfnBufferGate = nullptr;

// Left uninitialised: the generator writes every element it hands out, and the rest of a
// buffer is undefined to its readers.
template <typename T> std::unique_ptr<T[]> ObtainBuffer(int slot, int count)
{
    if (g_pfnBufferGate != nullptr && !g_pfnBufferGate(slot))
    {
        return nullptr;
    }
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]);
}
} // namespace

int GenerateBrilliantCut(CutParameters& cut, CutMesh& mesh, int* pVertexCount)
{
    return GenerateBrilliantCut(mesh.vertices, mesh.indexList, mesh.faceTable, mesh.faceNormals,
                                cut.tableSemiDiameter, cut.diamondSemiDiameter, cut.crownAngle,
                                cut.upperGirdlePoint, cut.upperGirdleAngle, cut.pavilionAngle,
                                cut.lowerGirdlePoint, cut.lowerGirdleAngle, cut.girdleThickness,
                                pVertexCount);
}

void SetCutBufferGate(CutBufferGate gate)
{
    g_pfnBufferGate = gate;
}

int GenerateBrilliantCut(std::unique_ptr<double[]>& vertices,
                         std::unique_ptr<std::int32_t[]>& indexList,
                         std::unique_ptr<FaceEntry[]>& faceTable,
                         std::unique_ptr<double[]>& faceNormals, double& tableSemiDiameter,
                         double& diamondSemiDiameter, double& crownAngle, double& upperGirdlePoint,
                         double& upperGirdleAngle, double& pavilionAngle, double& lowerGirdlePoint,
                         double& lowerGirdleAngle, double& girdleThickness, int* pVertexCount)
{
    if (pVertexCount != nullptr)
    {
        *pVertexCount = 0;
    }
    vertices.reset();
    indexList.reset();
    faceTable.reset();
    faceNormals.reset();
    auto newVertices = ObtainBuffer<double>(0, 3 * kCutVertexCapacity);
    auto newIndices = ObtainBuffer<std::int32_t>(1, kCutIndexCapacity);
    auto newFaces = ObtainBuffer<FaceEntry>(2, kCutFaceCapacity);
    auto newNormals = ObtainBuffer<double>(3, 3 * kCutFaceCapacity);
    if (!newVertices || !newIndices || !newFaces || !newNormals)
    {
        return 0;
    }

    // Every value is read before any is written, so arguments that share storage still
    // see the values as they came in.
    CutParameters cut;
    cut.tableSemiDiameter = tableSemiDiameter;
    cut.diamondSemiDiameter = diamondSemiDiameter;
    cut.crownAngle = crownAngle;
    cut.upperGirdlePoint = upperGirdlePoint;
    cut.pavilionAngle = pavilionAngle;
    cut.lowerGirdlePoint = lowerGirdlePoint;
    cut.lowerGirdleAngle = lowerGirdleAngle;
    cut.girdleThickness = girdleThickness;
    ReconcileCut(cut);
    tableSemiDiameter = cut.tableSemiDiameter;
    diamondSemiDiameter = cut.diamondSemiDiameter;
    crownAngle = cut.crownAngle;
    upperGirdlePoint = cut.upperGirdlePoint;
    upperGirdleAngle = cut.upperGirdleAngle;
    pavilionAngle = cut.pavilionAngle;
    lowerGirdlePoint = cut.lowerGirdlePoint;
    lowerGirdleAngle = cut.lowerGirdleAngle;
    girdleThickness = cut.girdleThickness;

    CutWriter writer;
    writer.vertices = newVertices.get();
    writer.indices = newIndices.get();
    writer.faces = newFaces.get();
    writer.normals = newNormals.get();
    BuildCrownAndPavilion(writer, cut);
    if (cut.girdleThickness > kThickGirdle)
    {
        BuildGirdle(writer, cut.diamondSemiDiameter, cut.girdleThickness);
    }

    vertices = std::move(newVertices);
    indexList = std::move(newIndices);
    faceTable = std::move(newFaces);
    faceNormals = std::move(newNormals);
    if (pVertexCount != nullptr)
    {
        *pVertexCount = writer.vertexCount;
    }
    return writer.facetCount;
}
