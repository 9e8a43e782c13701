// Running dialogs modally, binding controls with data exchange, and destroying the window
// before DoModal returns; the message box and the colour dialog, answered and real.

#include "ProbeDialog.h"
#include "tests/support/DialogHost.h"
#include "tests/support/ModalAnswers.h"

#include "platform/CommonDialogs.h"
#include "platform/Static.h"
#include "platform/WinApp.h"
#include "platform/testing/Testing.h"
#include "res/resource.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{
// A control that records when it is bound and destroyed.
class CProbeStatic : public CStatic
{
public:
    int m_nPreSubclass = 0;
    int m_nDestroy = 0;
    bool m_bDialogAliveAtDestroy = false;
    CDialog* m_pDialog = nullptr;
    void PreSubclassWindow() override
    {
        ++m_nPreSubclass;
        CStatic::PreSubclassWindow();
    }
    void OnDestroy()
    {
        ++m_nDestroy;
        m_bDialogAliveAtDestroy =
            m_pDialog != nullptr && m_pDialog->GetDlgItem(IDC_PICTURE) != nullptr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeStatic, CStatic)
ON_WM_DESTROY()
END_MESSAGE_MAP()

class CBindingDlg : public CProbeDlg
{
public:
    CProbeStatic m_picture;
    int m_nPreSubclassDuringInit = -1;
    CBindingDlg() { m_picture.m_pDialog = this; }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CProbeDlg::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_PICTURE, m_picture);
    }
    BOOL OnInitDialog() override
    {
        const BOOL result = CProbeDlg::OnInitDialog();
        m_nPreSubclassDuringInit = m_picture.m_nPreSubclass;
        return result;
    }
};

// Runs fn as soon as the event loop of the next modal box runs.
void WhenModal(std::function<void(QWidget*)> fn)
{
    QTimer::singleShot(
        0,
        [fn]
        {
            QWidget* modal = nullptr;
            for (int i = 0; i < 200 && (modal = QApplication::activeModalWidget()) == nullptr; ++i)
                QTest::qWait(10);
            fn(modal);
        });
}
} // namespace

TEST(Modal, DataExchangeBindsTheFrameOnceDuringInitialisation)
{
    CBindingDlg dlg;
    EXPECT_EQ(dlg.m_picture.m_nPreSubclass, 0);
    DialogHost host(dlg);
    ASSERT_TRUE(host.Created());
    EXPECT_EQ(dlg.m_nPreSubclassDuringInit, 1);
    EXPECT_EQ(dlg.GetDlgItem(IDC_PICTURE), &dlg.m_picture);
    EXPECT_EQ(dlg.m_picture.GetDlgCtrlID(), UINT(IDC_PICTURE));
    EXPECT_EQ(dlg.m_picture.GetParent(), &dlg);
    EXPECT_EQ(dlg.m_picture.GetWidget()->accessibleName(), QStringLiteral("3D view"));
    EXPECT_NE(dlg.m_picture.GetNativeWindow(), nullptr);
    // A second exchange leaves the binding alone.
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_picture.m_nPreSubclass, 1);
    // Still a tab stop, in its place.
    QWidget* frame = dlg.m_picture.GetWidget();
    EXPECT_TRUE(frame->focusPolicy() & Qt::TabFocus);
}

TEST(Modal, DoModalEndsWithTheResultAfterTheWindowIsGone)
{
    ModalAnswers answers;
    answers.AnswerDialogs(kRunModal);
    CBindingDlg dlg;
    dlg.m_bEndOnCancel = true;
    bool visibleInLoop = false;
    WhenModal(
        [&](QWidget* modal)
        {
            visibleInLoop = modal == dlg.GetWidget() && IsInModalLoop(dlg);
            QTest::keyClick(modal != nullptr ? modal : dlg.GetWidget(), Qt::Key_Escape);
        });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(visibleInLoop);
    EXPECT_EQ(dlg.m_nCancel, 1);
    // Destroyed before DoModal returned: the dialog first, then its controls, while whole.
    EXPECT_EQ(dlg.GetWidget(), nullptr);
    EXPECT_EQ(dlg.m_picture.m_nDestroy, 1);
    EXPECT_TRUE(dlg.m_picture.m_bDialogAliveAtDestroy);
    EXPECT_EQ(dlg.Count(WM_DESTROY), 1);
    EXPECT_EQ(dlg.m_picture.GetWidget(), nullptr);
}

TEST(Modal, AnsweredDialogIsShownInitialisedAndThenDestroyed)
{
    ModalAnswers answers;
    CString caption;
    bool shown = false;
    answers.AnswerDialogs(IDOK,
                          [&](CDialog& d)
                          {
                              shown = d.IsWindowVisible() != FALSE;
                              d.GetWindowText(caption);
                          });
    CProbeDlg about(IDD_ABOUTBOX);
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_EQ(caption, L"About Lapido");
    EXPECT_EQ(about.m_nInitDialog, 1);
    EXPECT_EQ(about.GetWidget(), nullptr);
    ASSERT_EQ(answers.Count(ModalKind::Dialog), 1);
    EXPECT_EQ(answers.Last(ModalKind::Dialog)->templateId, UINT(IDD_ABOUTBOX));
    // It can run again.
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(about.m_nInitDialog, 2);
}

TEST(Modal, RealAboutBoxEndsWithItsOkButton)
{
    ModalAnswers answers;
    answers.AnswerDialogs(kRunModal);
    CDialogEx about(IDD_ABOUTBOX);
    WhenModal(
        [&](QWidget*)
        {
            if (CWnd* ok = about.GetDlgItem(IDOK))
                QTest::mouseClick(ok->GetWidget(), Qt::LeftButton);
        });
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST(Modal, MessageBoxThroughTheSeam)
{
    ModalAnswers answers;
    answers.AnswerMessageBoxes(IDOK);
    EXPECT_EQ(AfxMessageBox(L"  Close ? ", MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL), IDOK);
    const ModalRequest* request = answers.Last(ModalKind::MessageBox);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->text, L"  Close ? ");
    EXPECT_EQ(request->type, 0x2021u);
    EXPECT_EQ(request->caption, CString(AfxGetAppName()));
    EXPECT_EQ(request->caption, L"test_platform");
    answers.AnswerMessageBoxes(IDCANCEL);
    EXPECT_EQ(AfxMessageBox(CString(L"again"), MB_OKCANCEL), IDCANCEL);
}

TEST(Modal, RealMessageBoxShowsTextCaptionIconAndButtons)
{
    struct Case
    {
        UINT type;
        bool pressEscape;
        int expected;
    } cases[] = {
        {MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL, false, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL, true, IDCANCEL},
        {MB_ICONERROR, true, IDOK},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        WhenModal(
            [&](QWidget* modal)
            {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (box == nullptr)
                    return;
                text = box->text();
                caption = box->windowTitle();
                icon = box->icon();
                buttons = static_cast<int>(box->buttons().size());
                if (c.pressEscape)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->button(QMessageBox::Ok)->click();
            });
        EXPECT_EQ(AfxMessageBox(L"  Close ? ", c.type), c.expected);
        EXPECT_EQ(text, QStringLiteral("  Close ? "));
        EXPECT_EQ(caption, QStringLiteral("test_platform"));
        EXPECT_EQ(icon, (c.type & MB_ICONERROR) ? QMessageBox::Critical : QMessageBox::Question);
        EXPECT_EQ(buttons, (c.type & MB_OKCANCEL) ? 2 : 1);
    }
}

TEST(Modal, ColourDialogThroughTheSeam)
{
    ModalAnswers answers;
    answers.AnswerColorDialogs(IDOK, RGB(12, 34, 56));
    CColorDialog chosen(RGB(191, 191, 191), 0, nullptr);
    EXPECT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetColor(), RGB(12, 34, 56));
    EXPECT_EQ(answers.Last(ModalKind::ColorDialog)->initialColor, RGB(191, 191, 191));

    answers.AnswerColorDialogs(IDCANCEL, RGB(1, 2, 3));
    CColorDialog cancelled(RGB(127, 191, 255));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(127, 191, 255));
}

TEST(Modal, RealColourDialogStartsOnTheInitialColour)
{
    for (bool accept : {true, false})
    {
        QColor initial;
        WhenModal(
            [&](QWidget* modal)
            {
                auto* dialog = qobject_cast<QColorDialog*>(modal);
                if (dialog == nullptr)
                    return;
                initial = dialog->currentColor();
                dialog->setCurrentColor(QColor(12, 34, 56));
                if (accept)
                    dialog->accept();
                else
                    dialog->reject();
            });
        CColorDialog dialog(RGB(127, 191, 255));
        EXPECT_EQ(dialog.DoModal(), accept ? IDOK : IDCANCEL);
        EXPECT_EQ(initial, QColor(127, 191, 255));
        EXPECT_EQ(dialog.GetColor(), accept ? RGB(12, 34, 56) : RGB(127, 191, 255));
    }
}
