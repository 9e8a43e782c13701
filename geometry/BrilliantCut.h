#pragma once

#include "geometry/CutMesh.h"
#include "geometry/CutParameters.h"

#include <cstdint>
#include <memory>

// Reconciles the nine proportions in place and builds the stone into four new buffers,
// which replace whatever the slots held. Returns the number of facet triangles, or 0 with
// all four slots empty and the nine values untouched when the buffers cannot be obtained.
// pVertexCount, when given, receives the number of vertices stored.
int GenerateBrilliantCut(std::unique_ptr<double[]>& vertices,
                         std::unique_ptr<std::int32_t[]>& indexList,
                         std::unique_ptr<FaceEntry[]>& faceTable,
                         std::unique_ptr<double[]>& faceNormals, double& tableSemiDiameter,
                         double& diamondSemiDiameter, double& crownAngle, double& upperGirdlePoint,
                         double& upperGirdleAngle, double& pavilionAngle, double& lowerGirdlePoint,
                         double& lowerGirdleAngle, double& girdleThickness,
                         int* pVertexCount = nullptr);

// The same for a whole set: reconciles `cut` in place and fills the four slots of `mesh`.
int GenerateBrilliantCut(CutParameters& cut, CutMesh& mesh, int* pVertexCount = nullptr);

// Seam for tests: when set, the generator asks it before obtaining each buffer (slot 0
// vertices, 1 indexList, 2 faceTable, 3 faceNormals); false makes that buffer unobtainable,
// as when memory is short. nullptr restores plain allocation.
using CutBufferGate = bool (*)(int slot);
void SetCutBufferGate(CutBufferGate gate);
