#include "ui/LapidoDlg.h"
#include "ui/PanelRows.h"

#include <algorithm>

void CLapidoDlg::OnBnClickedUpdate()
{
    ReadParameters();
    RebuildModel();
}

void CLapidoDlg::OnBnClickedDefault()
{
    m_cut = kDefaultCut;
    WriteParameters();
    // Read back, so the values used are exactly those of the three-decimal text.
    ReadParameters();
    RebuildModel();
}

void CLapidoDlg::StepRow(int nRow, NMHDR* pNMHDR, LRESULT* pResult)
{
    const PanelRow& row = kPanelRows[nRow];
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
