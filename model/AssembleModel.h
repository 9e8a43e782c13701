#pragma once

#include "geometry/CutMesh.h"
#include "model/Model.h"

#include <cstdint>

// Turns the first n facets of a generated mesh into triangles with corners of their own,
// all in one new group appended to the model. triangleCount receives the number made.
// Returns 0.
int AssembleModel(const double* vertices, const std::int32_t* indexList, const FaceEntry* faceTable,
                  const double* faceNormals, int n, CModel& model, int& triangleCount);
