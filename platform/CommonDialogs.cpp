#include "platform/CommonDialogs.h"

#include "platform/WinApp.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace
{
// The low bits of a message-box type that choose its buttons and its icon.
constexpr UINT kButtonMask = 0x000F;
constexpr UINT kIconMask = 0x00F0;

ModalAnswer& Answerer()
{
    static ModalAnswer answerer;
    return answerer;
}

// The window a box opened without a parent belongs to: the modal window in front, if any,
// or else the application's main window.
QWidget* OwnerWidget(CWnd* pParent)
{
    if (pParent != nullptr && pParent->GetWidget() != nullptr)
        return pParent->GetWidget()->window();
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (CWnd* main = AfxGetMainWnd())
        return main->GetWidget();
    return nullptr;
}

QMessageBox::Icon IconOfType(UINT nType)
{
    switch (nType & kIconMask)
    {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

int RunMessageBox(const QString& text, const QString& caption, UINT nType)
{
    QMessageBox box(IconOfType(nType), caption, text, QMessageBox::NoButton, OwnerWidget(nullptr));
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* ok = nullptr;
    QAbstractButton* cancel = nullptr;
    switch (nType & kButtonMask)
    {
    case MB_OKCANCEL:
        ok = box.addButton(QMessageBox::Ok);
        cancel = box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(cancel);
        box.setDefaultButton(qobject_cast<QPushButton*>(ok));
        break;
    default:
        ok = box.addButton(QMessageBox::Ok);
        box.setEscapeButton(ok);
        break;
    }
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked != nullptr && clicked == ok)
        return IDOK;
    if (clicked == nullptr && ok != nullptr && cancel == nullptr)
        return IDOK;
    return IDCANCEL;
}
} // namespace

ModalAnswer AfxSetModalAnswerer(ModalAnswer answerer)
{
    ModalAnswer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}

int AfxAnswerModal(ModalRequest& request)
{
    // A copy, so an answerer may replace itself while it answers.
    ModalAnswer answerer = Answerer();
    return answerer ? answerer(request) : kRunModal;
}

int AfxMessageBox(const CString& text, UINT nType)
{
    return AfxMessageBox(text.c_str(), nType);
}

int AfxMessageBox(const wchar_t* lpszText, UINT nType)
{
    ModalRequest request;
    request.kind = ModalKind::MessageBox;
    request.text = lpszText != nullptr ? lpszText : L"";
    request.caption = AfxGetAppName();
    request.type = nType;
    const int answer = AfxAnswerModal(request);
    if (answer != kRunModal)
        return answer;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return (nType & kButtonMask) == MB_OK ? IDOK : IDCANCEL;
    return RunMessageBox(QString::fromStdWString(request.text),
                         QString::fromStdWString(request.caption), nType);
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : m_color(clrInit), m_dwFlags(dwFlags), m_pParentWnd(pParentWnd)
{
}

INT_PTR CColorDialog::DoModal()
{
    ModalRequest request;
    request.kind = ModalKind::ColorDialog;
    request.initialColor = m_color;
    request.chosenColor = m_color;
    const int answer = AfxAnswerModal(request);
    if (answer != kRunModal)
    {
        if (answer == IDOK)
            m_color = request.chosenColor;
        return answer;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return IDCANCEL;
    QColorDialog dialog(QColor(GetRValue(m_color), GetGValue(m_color), GetBValue(m_color)),
                        OwnerWidget(m_pParentWnd));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    const QColor c = dialog.selectedColor();
    if (!c.isValid())
        return IDCANCEL;
    m_color =
        RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
    return IDOK;
}
