#pragma once

// The nine proportions of a round brilliant. Lengths are radii or thicknesses in model
// units, angles are degrees against the table plane; the two girdle facet angles are
// derived by the generator.
struct CutParameters
{
    double tableSemiDiameter = 0.0;
    double diamondSemiDiameter = 0.0;
    double crownAngle = 0.0;
    double upperGirdlePoint = 0.0;
    double upperGirdleAngle = 0.0;
    double pavilionAngle = 0.0;
    double lowerGirdlePoint = 0.0;
    double lowerGirdleAngle = 0.0;
    double girdleThickness = 0.0;
};

// The stone the tool opens with, and what the Default button and an unreadable panel field
// fall back to.
inline constexpr CutParameters kDefaultCut{2.65, 5.174, 34.6,  3.724, 39.513,
                                           40.8, 1.25,  41.48, 0.26};
