#include "DialogFixture.h"

#include "geometry/BrilliantCut.h"
#include "platform/testing/Testing.h"
#include "tests/support/DialogHost.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

void DialogTest::SetUp()
{
    AfxSetModalAnswerer({});
    m_pDlg = std::make_unique<TestDialog>();
    ASSERT_TRUE(CreateModeless(*m_pDlg));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pDlg->GetWidget()));
    Process(20);
}

void DialogTest::TearDown()
{
    AfxSetModalAnswerer({});
    m_pDlg.reset();
    Process(0);
}

void DialogTest::Command(UINT nID)
{
    m_pDlg->SendMessage(WM_COMMAND, nID);
}

LRESULT DialogTest::Spin(UINT nSpinID, int iDelta)
{
    LRESULT result = 99;
    EXPECT_TRUE(SendSpinDelta(*m_pDlg, nSpinID, iDelta, &result))
        << "no handler for up-down " << nSpinID;
    return result;
}

void DialogTest::Process(int ms)
{
    QApplication::processEvents();
    if (ms > 0)
        QTest::qWait(ms);
}

CString DialogTest::Text(int nID) const
{
    CString text;
    m_pDlg->GetDlgItemText(nID, text);
    return text;
}

void DialogTest::SetText(int nID, const wchar_t* text)
{
    m_pDlg->SetDlgItemText(nID, text);
}

bool DialogTest::Marked(UINT nCommandID) const
{
    CMenu* pMenu = m_pDlg->GetMenu();
    return pMenu != nullptr && (pMenu->GetMenuState(nCommandID, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool DialogTest::Ticked(int nBoxID) const
{
    return m_pDlg->IsDlgButtonChecked(nBoxID) != 0;
}

void DialogTest::AnswerModals(int answer, COLORREF color)
{
    AfxSetModalAnswerer(
        [this, answer, color](ModalRequest& request)
        {
            if (request.kind == ModalKind::ColorDialog)
                request.chosenColor = color;
            m_vecAsked.push_back(request);
            return answer;
        });
}

CRect DialogTest::ViewRect() const
{
    CRect rect;
    m_pDlg->m_glPicture.GetWindowRect(&rect);
    m_pDlg->ScreenToClient(&rect);
    return rect;
}

void DialogTest::ResizeViewTo(int width, int height)
{
    QWidget* window = m_pDlg->GetWidget();
    CRect client;
    View().GetClientRect(&client);
    const double ratio = View().GetDevicePixelRatio();
    const int dx = static_cast<int>((width - client.Width()) / ratio);
    const int dy = static_cast<int>((height - client.Height()) / ratio);
    window->resize(window->width() + dx, window->height() + dy);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2000)
    {
        Process(5);
        View().GetClientRect(&client);
        if (client.Width() == width && client.Height() == height)
            break;
    }
}

namespace
{
bool RefuseBuffers(int)
{
    return false;
}
} // namespace

GeneratorFailure::GeneratorFailure()
{
    SetCutBufferGate(&RefuseBuffers);
}
GeneratorFailure::~GeneratorFailure()
{
    SetCutBufferGate(nullptr);
}

ModalDeadline::ModalDeadline(CDialog& dlg, int ms)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout,
                     [this, &dlg]
                     {
                         m_bExpired = true;
                         // The boxes first, then the dialog: each loop returns to the one
                         // that opened it.
                         for (QWidget* window : QApplication::topLevelWidgets())
                             if (auto* box = qobject_cast<QDialog*>(window);
                                 box != nullptr && box != dlg.GetWidget() && box->isVisible())
                                 box->done(QDialog::Rejected);
                         dlg.EndDialog(kExpiredResult);
                     });
    m_timer.start(ms);
}
