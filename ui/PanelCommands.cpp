#include "ui/LapidoDlg.h"
#include "ui/PanelRows.h"

#include <algorithm>

namespace
{
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

struct StepRowSpec
{
    double CutParameters::*field;
    double step;
    StepLimit limits[3];
    int limitCount;
};

constexpr double kLengthStep = 0.1;
constexpr double kAngleStep = 1.0;
constexpr double kMaxAngle = 90.0;

using CP = CutParameters;

// The rows with an up-down, in the order of their handlers; limits apply in order, so the
// last one wins when two contradict each other.
constexpr StepRowSpec kStepRows[] = {
    {&CP::tableSemiDiameter,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, 0.0, &CP::diamondSemiDiameter}},
     2},
    {&CP::diamondSemiDiameter, kLengthStep, {{Bound::NotBelow, 0.0, &CP::tableSemiDiameter}}, 1},
    {&CP::crownAngle,
     kAngleStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, kMaxAngle, nullptr}},
     2},
    {&CP::upperGirdlePoint,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr},
      {Bound::NotBelow, 0.0, &CP::tableSemiDiameter},
      {Bound::NotAbove, 0.0, &CP::diamondSemiDiameter}},
     3},
    {&CP::pavilionAngle,
     kAngleStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, kMaxAngle, nullptr}},
     2},
    {&CP::lowerGirdlePoint,
     kLengthStep,
     {{Bound::NotBelow, 0.0, nullptr}, {Bound::NotAbove, 0.0, &CP::diamondSemiDiameter}},
     2},
    {&CP::girdleThickness, kLengthStep, {{Bound::NotBelow, 0.0, nullptr}}, 1},
};

enum StepRowIndex
{
    kRowTable,
    kRowDiameter,
    kRowCrownAngle,
    kRowUpperGirdle,
    kRowPavilionAngle,
    kRowLowerGirdle,
    kRowGirdleThickness,
};
} // namespace

void CLapidoDlg::OnBnClickedUpdate()
{
    ReadParameters();
    RebuildModel();
}

void CLapidoDlg::OnBnClickedDefault()
{
    m_cut = DefaultCutParameters();
    WriteParameters();
    // Read back, so the values used are exactly those of the three-decimal text.
    ReadParameters();
    RebuildModel();
}

void CLapidoDlg::StepRow(int nRow, NMHDR* pNMHDR, LRESULT* pResult)
{
    const StepRowSpec& row = kStepRows[nRow];
    ReadParameters();
    const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    const int delta = pUpDown != nullptr ? pUpDown->iDelta : 0;
    // Up reports a negative delta and increases the value; a zero delta takes no step.
    double& value = m_cut.*row.field;
    if (delta < 0)
        value += row.step;
    else if (delta > 0)
        value -= row.step;
    for (int i = 0; i < row.limitCount; ++i)
    {
        const StepLimit& limit = row.limits[i];
        const double bound = limit.other != nullptr ? m_cut.*limit.other : limit.constant;
        value = limit.bound == Bound::NotBelow ? std::max(value, bound) : std::min(value, bound);
    }
    RebuildModel();
    SetFocus();
    if (pResult != nullptr)
        *pResult = 0;
}

void CLapidoDlg::OnDeltaposSpinTable(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowTable, pNMHDR, pResult);
}
void CLapidoDlg::OnDeltaposSpinDiameter(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowDiameter, pNMHDR, pResult);
}
void CLapidoDlg::OnDeltaposSpinCrownAngle(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowCrownAngle, pNMHDR, pResult);
}
void CLapidoDlg::OnDeltaposSpinUpperGirdle(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowUpperGirdle, pNMHDR, pResult);
}
void CLapidoDlg::OnDeltaposSpinPavilionAngle(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowPavilionAngle, pNMHDR, pResult);
}
void CLapidoDlg::OnDeltaposSpinLowerGirdle(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowLowerGirdle, pNMHDR, pResult);
}
void CLapidoDlg::OnDeltaposSpinGirdleThickness(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepRow(kRowGirdleThickness, pNMHDR, pResult);
}
