#pragma once
// The rows of the parameter panel, top to bottom: which edit shows which proportion and, for
// the rows with an up-down, its step and the limits a step is clamped to. Defaults are the
// default stone's (kDefaultCut).

#include "geometry/CutParameters.h"
#include "res/resource.h"

#include <cstddef>

enum class Bound
{
    NotBelow,
    NotAbove,
};

// A limit against a constant (other == nullptr) or against another proportion.
struct StepLimit
{
    Bound bound;
    double constant;
    double CutParameters::*other;
};

struct PanelRow
{
    int editId;
    double CutParameters::*field;
    double step; // 0 for the read-only rows, which have no up-down
    StepLimit limits[3];
    int limitCount;
};

inline constexpr double kLengthStep = 0.1;
inline constexpr double kAngleStep = 1.0;
inline constexpr double kMaxAngle = 90.0;

inline constexpr std::size_t kPanelRowCount = 9;

// Limits apply in order, so the last one wins when two contradict each other.
inline constexpr PanelRow kPanelRows[kPanelRowCount] = {
    {IDC_EDIT_TABLE,
     &CutParameters::tableSemiDiameter,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, 0.0, &CutParameters::diamondSemiDiameter}},
     2},
    {IDC_EDIT_DIAMETER,
     &CutParameters::diamondSemiDiameter,
     kLengthStep,
     {{Bound::NotBelow, 0.0, &CutParameters::tableSemiDiameter}},
     1},
    {IDC_EDIT_CROWN_ANGLE,
     &CutParameters::crownAngle,
     kAngleStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, kMaxAngle, nullptr}},
     2},
    {IDC_EDIT_UPPER_GIRDLE_POINT,
     &CutParameters::upperGirdlePoint,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr},
      {Bound::NotBelow, 0.0, &CutParameters::tableSemiDiameter},
      {Bound::NotAbove, 0.0, &CutParameters::diamondSemiDiameter}},
     3},
    {IDC_EDIT_UPPER_GIRDLE_ANGLE, &CutParameters::upperGirdleAngle, 0.0, {}, 0},
    {IDC_EDIT_PAVILION_ANGLE,
     &CutParameters::pavilionAngle,
     kAngleStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, kMaxAngle, nullptr}},
     2},
    {IDC_EDIT_LOWER_GIRDLE_POINT,
     &CutParameters::lowerGirdlePoint,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, 0.0, &CutParameters::diamondSemiDiameter}},
     2},
    {IDC_EDIT_LOWER_GIRDLE_ANGLE, &CutParameters::lowerGirdleAngle, 0.0, {}, 0},
    {IDC_EDIT_GIRDLE_THICKNESS,
     &CutParameters::girdleThickness,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr}},
     1},
};

// Positions in kPanelRows of the rows the up-down handlers step.
enum PanelRowIndex : std::size_t
{
    kRowTable = 0,
    kRowDiameter = 1,
    kRowCrownAngle = 2,
    kRowUpperGirdle = 3,
    kRowPavilionAngle = 5,
    kRowLowerGirdle = 6,
    kRowGirdleThickness = 8,
};
