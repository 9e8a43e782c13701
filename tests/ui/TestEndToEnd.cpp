// The real dialog driven like a user: mouse clicks on the arrows, buttons and boxes,
// typing, keys, the menu, and the real close box answered with the keyboard.
#include "DialogFixture.h"

#include "platform/testing/Testing.h"
#include "tests/support/ModalAnswers.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <vector>

namespace
{
class EndToEnd : public DialogTest
{
protected:
    // What the view shows on screen around the stone once pending paints have run; the
    // frame-rate line at the top changes with every frame and is left out.
    QImage Screen()
    {
        Process(30);
        View().UpdateWindow();
        QWindow* window = View().GetNativeWindow();
        const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
        return shot.copy(0, shot.height() / 4, shot.width(), shot.height() / 2);
    }

    QToolButton* Arrow(int spinId, const char* which)
    {
        return Dlg().GetDlgItem(spinId)->GetWidget()->findChild<QToolButton*>(which);
    }

    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(Dlg().GetDlgItem(id)->GetWidget()); }

    void Type(int id, const QString& text)
    {
        QLineEdit* edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    void Click(int id) { QTest::mouseClick(Dlg().GetDlgItem(id)->GetWidget(), Qt::LeftButton); }
};

TEST_F(EndToEnd, CrownAngleArrowChangesThePictureAndThePanel)
{
    const QImage before = Screen();
    QToolButton* up = Arrow(IDC_SPIN_CROWN_ANGLE, "up");
    ASSERT_NE(up, nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"35.600");
    EXPECT_NE(Screen(), before);

    QTest::mouseClick(Arrow(IDC_SPIN_CROWN_ANGLE, "down"), Qt::LeftButton);
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"34.600");
    EXPECT_EQ(Screen(), before) << "the same proportions draw the same stone";

    // The Up key in the edit steps like the arrow.
    Edit(IDC_EDIT_CROWN_ANGLE)->setFocus();
    QTest::keyClick(Edit(IDC_EDIT_CROWN_ANGLE), Qt::Key_Up);
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"35.600");
}

TEST_F(EndToEnd, TypingThenUpdateRebuildsFromTheText)
{
    const QImage before = Screen();
    Type(IDC_EDIT_PAVILION_ANGLE, QStringLiteral("43.5"));
    Process(0);
    EXPECT_EQ(Screen(), before) << "typing alone changes nothing";
    Click(IDC_BUTTON_UPDATE);
    EXPECT_EQ(Dlg().m_cut.pavilionAngle, 43.5);
    EXPECT_EQ(Text(IDC_EDIT_PAVILION_ANGLE), L"43.500");
    EXPECT_NE(Screen(), before);

    Click(IDC_BUTTON_DEFAULT);
    EXPECT_EQ(Text(IDC_EDIT_PAVILION_ANGLE), L"40.800");
    EXPECT_EQ(Screen(), before);
}

TEST_F(EndToEnd, CheckBoxesMenuAndToolbarByMouse)
{
    Click(IDC_CHECK_RENDER_FACETS);
    EXPECT_FALSE(View().m_bRenderFaces);
    EXPECT_TRUE(View().m_bRenderLines);
    EXPECT_FALSE(Ticked(IDC_CHECK_RENDER_FACETS));
    EXPECT_TRUE(Ticked(IDC_CHECK_WIRE_FRAME));
    Click(IDC_CHECK_TRANSPARENT);
    EXPECT_TRUE(View().m_bTransparent);
    EXPECT_TRUE(Marked(ID_RENDER_TRANSPARENTIZE));

    QAction* axis = MenuAction(*Dlg().GetMenu(), ID_RENDER_AXIS);
    ASSERT_NE(axis, nullptr);
    axis->trigger();
    EXPECT_TRUE(View().m_bShowAxes);
    EXPECT_TRUE(axis->isChecked());

    QToolButton* zoomUp = ButtonWidget(Dlg().m_wndToolBar, 9);
    ASSERT_NE(zoomUp, nullptr);
    QTest::mouseClick(zoomUp, Qt::LeftButton);
    EXPECT_NEAR(View().m_zoom, 12.483306f, 1e-5f);
}

// Answers the real message boxes in turn, each with its key once it shows, as a user at the
// keyboard would; a step's `then` runs once its box is gone and the handler that asked has
// returned, from the loop the handler returned to.
class BoxKeys : public QObject
{
public:
    struct Step
    {
        Qt::Key key;
        std::function<void()> then;
    };

    BoxKeys(CDialog& owner, std::vector<Step> steps) : m_owner(owner), m_steps(std::move(steps))
    {
        qApp->installEventFilter(this);
    }
    ~BoxKeys() override { qApp->removeEventFilter(this); }
    std::size_t Shown() const { return m_next; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (e->type() != QEvent::Show || box == nullptr || m_next == m_steps.size())
            return false;
        const Step& step = m_steps[m_next++];
        QMetaObject::invokeMethod(
            box, [box, key = step.key] { QTest::keyClick(box, key); }, Qt::QueuedConnection);
        if (step.then)
            connect(box, &QObject::destroyed, m_owner.GetWidget(), step.then, Qt::QueuedConnection);
        return false;
    }

private:
    CDialog& m_owner;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

TEST(EndToEndModal, EscapeThenCancelKeepsItRunningExitThenOkEndsIt)
{
    CLapidoDlg dlg;
    // The real boxes run; the keys below answer them.
    ModalAnswers answers;
    answers.AnswerMessageBoxes(kRunModal);
    answers.AnswerDialogs(kRunModal,
                          [](CDialog& shown)
                          {
                              QMetaObject::invokeMethod(
                                  shown.GetWidget(),
                                  [&shown] { QTest::keyClick(shown.GetWidget(), Qt::Key_Escape); },
                                  Qt::QueuedConnection);
                          });
    bool runningAfterCancel = false;
    // The second box comes up inside the click on Exit; OK (Enter) ends the dialog.
    const BoxKeys keys(
        dlg, {{Qt::Key_Escape,
               [&]
               {
                   runningAfterCancel =
                       IsInModalLoop(dlg) && !HasEnded(dlg) && dlg.GetWidget()->isVisible();
                   QTest::mouseClick(dlg.GetDlgItem(IDCANCEL)->GetWidget(), Qt::LeftButton);
               }},
              {Qt::Key_Return, {}}});
    ModalDeadline deadline(dlg);
    const INT_PTR result = dlg.DoModal();
    EXPECT_FALSE(deadline.Expired());
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(runningAfterCancel);
    EXPECT_EQ(keys.Shown(), 2u);
    EXPECT_EQ(answers.Count(ModalKind::MessageBox), 2);
}
} // namespace
