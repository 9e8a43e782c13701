#include "ui/LapidoDlg.h"
#include "ui/PanelRows.h"

#include "platform/CodePage.h"
#include "platform/NumberText.h"

namespace
{
// Bytes the vetted text may take in the code page, terminator included.
constexpr std::size_t kVetBufferSize = 32;

CString FormatValue(double value)
{
    const std::string text = FormatFixed(value, 3);
    return CString(text.begin(), text.end());
}
} // namespace

void CLapidoDlg::ReadParameters()
{
    for (const PanelRow& row : kPanelRows)
    {
        CString text;
        GetDlgItemText(row.editId, text);
        char buffer[kVetBufferSize];
        if (WideToCodePage932(text.c_str(), buffer, sizeof buffer) != CodePageResult::Converted)
        {
            // Text the code page cannot hold whole is unreadable: the row takes its default
            // and shows it.
            m_cut.*row.field = kDefaultCut.*row.field;
            SetDlgItemText(row.editId, FormatValue(kDefaultCut.*row.field));
            continue;
        }
        m_cut.*row.field = ReadNumberPrefix(buffer);
    }
}

void CLapidoDlg::WriteParameters()
{
    for (const PanelRow& row : kPanelRows)
        SetDlgItemText(row.editId, FormatValue(m_cut.*row.field));
}
