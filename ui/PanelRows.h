#pragma once
// The rows of the parameter panel: which edit shows which proportion, its default, and the
// up-down that steps it with its step and limits.

#include "geometry/CutParameters.h"
#include "res/resource.h"

#include <cstddef>

struct PanelRow
{
    int editId;
    double CutParameters::*field;
    double defaultValue;
};

inline constexpr std::size_t kPanelRowCount = 9;

inline constexpr PanelRow kPanelRows[kPanelRowCount] = {
    {IDC_EDIT_TABLE, &CutParameters::tableSemiDiameter, 2.65},
    {IDC_EDIT_DIAMETER, &CutParameters::diamondSemiDiameter, 5.174},
    {IDC_EDIT_CROWN_ANGLE, &CutParameters::crownAngle, 34.6},
    {IDC_EDIT_UPPER_GIRDLE_POINT, &CutParameters::upperGirdlePoint, 3.724},
    {IDC_EDIT_UPPER_GIRDLE_ANGLE, &CutParameters::upperGirdleAngle, 39.513},
    {IDC_EDIT_PAVILION_ANGLE, &CutParameters::pavilionAngle, 40.8},
    {IDC_EDIT_LOWER_GIRDLE_POINT, &CutParameters::lowerGirdlePoint, 1.25},
    {IDC_EDIT_LOWER_GIRDLE_ANGLE, &CutParameters::lowerGirdleAngle, 41.48},
    {IDC_EDIT_GIRDLE_THICKNESS, &CutParameters::girdleThickness, 0.26},
};

// The default proportions: start-up, the Default button, and an unreadable edit.
inline CutParameters DefaultCutParameters()
{
    CutParameters cut;
    for (const PanelRow& row : kPanelRows)
        cut.*row.field = row.defaultValue;
    return cut;
}
