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
