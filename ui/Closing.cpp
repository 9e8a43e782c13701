#include "ui/AboutDlg.h"
#include "ui/LapidoDlg.h"

#include "platform/CommonDialogs.h"

namespace
{
constexpr const wchar_t* kCloseQuestion = L"  Close ? ";
constexpr UINT kCloseQuestionType = MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL;
} // namespace

void CLapidoDlg::OnAbout()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CLapidoDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        OnAbout();
        return;
    }
    CDialogEx::OnSysCommand(nID, lParam);
}

// Exit, Escape, the close box and Alt+F4 all arrive here.
void CLapidoDlg::OnCancel()
{
    if (AfxMessageBox(kCloseQuestion, kCloseQuestionType) == IDOK)
        CDialogEx::OnCancel();
}
