#pragma once
// The real main dialog, created from its template and shown (modeless, so a test can drive
// it between events), with every modal box answered by the test and recorded.

#include "ui/LapidoDlg.h"

#include "platform/CommonDialogs.h"
#include "platform/Controls.h"
#include "platform/Menu.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Gives tests the dialog's handlers and protected operations by their own names.
class TestDialog : public CLapidoDlg
{
public:
    using CLapidoDlg::OnEraseBkgnd;
    using CLapidoDlg::OnMouseWheel;
    using CLapidoDlg::OnSizing;
};

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    TestDialog& Dlg() { return *m_pDlg; }
    CGLPictureCtrl& View() { return m_pDlg->m_glPicture; }

    // A command as the menu, a button or the toolbar sends it, through the message map.
    void Command(UINT nID);
    // One up-down notification (iDelta -1 is the up arrow); returns the result slot.
    LRESULT Spin(UINT nSpinID, int iDelta);
    // Runs the event loop for a while.
    static void Process(int ms = 10);

    CString Text(int nID) const;
    void SetText(int nID, const wchar_t* text);
    bool Marked(UINT nCommandID) const;
    bool Ticked(int nBoxID) const;

    // Answers every modal box with `answer` (IDOK, IDCANCEL) and records what was asked;
    // a colour dialog answered IDOK gets `color`.
    void AnswerModals(int answer, COLORREF color = 0);

    // The window-system size of the view's frame (its client area, unscaled).
    CRect ViewRect() const;
    // Resizes the dialog so that the view's client area is width × height pixels.
    void ResizeViewTo(int width, int height);

    std::unique_ptr<TestDialog> m_pDlg;
    std::vector<ModalRequest> m_vecAsked;
};

// Makes the generator unable to obtain its buffers while it lives: a rebuild then only
// writes the panel and leaves the model, the view and the proportions as they were.
class GeneratorFailure
{
public:
    GeneratorFailure();
    ~GeneratorFailure();
};

// A bound on a test that runs modal loops: should its boxes never be answered, every box and
// then the dialog's own loop are ended once the deadline has passed, so that the test fails
// instead of hanging. The dialog then ends with kExpiredResult.
class ModalDeadline
{
public:
    static constexpr int kExpiredResult = -2;
    explicit ModalDeadline(CDialog& dlg, int ms = 20000);
    bool Expired() const { return m_bExpired; }

private:
    QTimer m_timer;
    bool m_bExpired = false;
};
