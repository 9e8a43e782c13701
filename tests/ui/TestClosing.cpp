// Closing asks first; the About box.
#include "DialogFixture.h"

#include "platform/testing/Testing.h"
#include "res/Version.h"
#include "ui/AboutDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <functional>

namespace
{
using Closing = DialogTest;

// The ways a user closes the window.
void Escape(CDialog& dlg)
{
    QTest::keyClick(dlg.GetWidget(), Qt::Key_Escape);
}
void CloseBox(CDialog& dlg)
{
    dlg.GetWidget()->close();
}
void ExitButton(CDialog& dlg)
{
    QTest::mouseClick(dlg.GetDlgItem(IDCANCEL)->GetWidget(), Qt::LeftButton);
}
void CloseCommand(CDialog& dlg)
{
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

TEST_F(Closing, EveryWayOutAsksAndCancelKeepsEverything)
{
    AnswerModals(IDCANCEL);
    const CModel* model = View().m_pModel;
    SetText(IDC_EDIT_CROWN_ANGLE, L"33");
    const float zoom = View().m_zoom;
    for (auto close : {Escape, CloseBox, ExitButton, CloseCommand})
    {
        m_vecAsked.clear();
        close(Dlg());
        Process(0);
        ASSERT_EQ(m_vecAsked.size(), 1u);
        EXPECT_EQ(m_vecAsked[0].kind, ModalKind::MessageBox);
        EXPECT_EQ(m_vecAsked[0].text, L"  Close ? ");
        EXPECT_EQ(m_vecAsked[0].type, 0x2021u);
        EXPECT_TRUE(Dlg().GetWidget()->isVisible());
    }
    EXPECT_EQ(View().m_pModel, model);
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"33");
    EXPECT_EQ(View().m_zoom, zoom);
}

TEST_F(Closing, EnterInAnEditNeitherUpdatesNorCloses)
{
    AnswerModals(IDOK);
    QWidget* edit = Dlg().GetDlgItem(IDC_EDIT_CROWN_ANGLE)->GetWidget();
    edit->setFocus();
    SetText(IDC_EDIT_CROWN_ANGLE, L"30");
    const CModel* model = View().m_pModel;
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    Process(0);
    EXPECT_TRUE(m_vecAsked.empty());
    EXPECT_EQ(View().m_pModel, model);
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"30");
    EXPECT_TRUE(Dlg().GetWidget()->isVisible());
}

// The modal loop, as the application runs it: OK in the close box ends it with Cancel's
// result; Cancel keeps it running. Each key is posted to the dialog, so it arrives from the
// dialog's own loop once that runs and once the handler that asked has returned.
TEST(ClosingModal, OkEndsTheModalLoopAndCancelDoesNot)
{
    CLapidoDlg dlg;
    int asked = 0;
    bool stillRunningAfterCancel = false;
    const auto escapeLater = [&dlg](std::function<void()> before)
    {
        QMetaObject::invokeMethod(
            dlg.GetWidget(),
            [&dlg, before]
            {
                if (before)
                    before();
                QTest::keyClick(dlg.GetWidget(), Qt::Key_Escape);
            },
            Qt::QueuedConnection);
    };
    AfxSetModalAnswerer(
        [&](ModalRequest& request)
        {
            if (request.kind == ModalKind::Dialog)
            {
                escapeLater({});
                return kRunModal;
            }
            if (++asked > 1)
                return IDOK;
            // Runs once this Cancel has been handled. Had it ended the dialog, HasEnded says
            // so, or the window is gone and the posted call with it.
            escapeLater(
                [&]
                {
                    stillRunningAfterCancel =
                        IsInModalLoop(dlg) && !HasEnded(dlg) && dlg.GetWidget()->isVisible();
                });
            return IDCANCEL;
        });
    ModalDeadline deadline(dlg);
    const INT_PTR result = dlg.DoModal();
    AfxSetModalAnswerer({});
    EXPECT_FALSE(deadline.Expired());
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(stillRunningAfterCancel);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(Closing, AboutBoxShowsIconNameAndOk)
{
    struct Seen
    {
        CString caption;
        UINT templateId = 0;
        bool icon = false;
        QString text;
        QString button;
    } seen;
    AfxSetModalAnswerer(
        [&](ModalRequest& request)
        {
            if (request.kind != ModalKind::Dialog)
                return IDCANCEL;
            seen.caption = request.caption;
            seen.templateId = request.templateId;
            QWidget* window = request.pDialog->GetWidget();
            seen.caption = window->windowTitle().toStdWString();
            for (QLabel* label : window->findChildren<QLabel*>())
            {
                if (!label->pixmap().isNull())
                    seen.icon = true;
                else if (!label->text().isEmpty())
                    seen.text = label->text();
            }
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                seen.button = button->text();
            return IDOK;
        });
    Command(ID_MISC_ABOUT);
    EXPECT_EQ(seen.templateId, static_cast<UINT>(IDD_ABOUTBOX));
    EXPECT_EQ(seen.caption, L"About Lapido");
    EXPECT_TRUE(seen.icon);
    EXPECT_EQ(seen.text, QStringLiteral("Facetta, Version " LAPIDO_VERSION));
    EXPECT_EQ(seen.button, QStringLiteral("OK"));

    // The system-menu entry opens the same box; other system commands pass on.
    seen = Seen{};
    Dlg().SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x0003);
    EXPECT_EQ(seen.templateId, static_cast<UINT>(IDD_ABOUTBOX));
}

TEST_F(Closing, MinimisedWindowDragsTheApplicationIcon)
{
    Message msg;
    msg.message = WM_QUERYDRAGICON;
    ASSERT_TRUE(Dlg().Dispatch(msg));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(msg.result), Dlg().m_hIcon);
}
} // namespace
