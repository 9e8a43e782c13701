// The real dialog driven like a user: mouse clicks on the arrows, buttons and boxes,
// typing, keys, the menu, and the real close box answered with the keyboard.
#include "DialogFixture.h"
#include "platform/testing/Testing.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>

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

// Presses `key` in whatever modal box is up once it shows, then runs `then`.
void WhenModalShows(Qt::Key key, std::function<void()> then)
{
    // Each pending timer holds the poll; the poll itself holds only a weak reference, so it
    // goes once it has fired.
    auto poll = std::make_shared<std::function<void()>>();
    std::weak_ptr<std::function<void()>> weak = poll;
    *poll = [key, then, weak]
    {
        const auto self = weak.lock();
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || !box->isVisible() || !box->inherits("QMessageBox"))
        {
            QTimer::singleShot(10, [self] { (*self)(); });
            return;
        }
        QTest::keyClick(box, key);
        if (then)
            QTimer::singleShot(50, then);
    };
    QTimer::singleShot(10, [poll] { (*poll)(); });
}

TEST(EndToEndModal, EscapeThenCancelKeepsItRunningExitThenOkEndsIt)
{
    AfxSetModalAnswerer({});
    CLapidoDlg dlg;
    bool runningAfterCancel = false;
    QTimer::singleShot(100, [&] { QTest::keyClick(dlg.GetWidget(), Qt::Key_Escape); });
    WhenModalShows(Qt::Key_Escape,
                   [&]
                   {
                       runningAfterCancel = IsInModalLoop(dlg) && dlg.GetWidget()->isVisible();
                       QTest::mouseClick(dlg.GetDlgItem(IDCANCEL)->GetWidget(), Qt::LeftButton);
                   });
    // The second box comes up inside the click above; OK (Enter) ends the dialog.
    QTimer::singleShot(300, [] { WhenModalShows(Qt::Key_Return, nullptr); });
    QElapsedTimer timer;
    timer.start();
    const INT_PTR result = dlg.DoModal();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(runningAfterCancel);
    EXPECT_LT(timer.elapsed(), 10000);
}
} // namespace
