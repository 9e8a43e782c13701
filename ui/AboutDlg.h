#pragma once
// The About box: the application icon, the name and version, and OK.

#include "platform/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialogEx
{
public:
    enum
    {
        IDD = IDD_ABOUTBOX
    };

    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
