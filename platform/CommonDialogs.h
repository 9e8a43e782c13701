#pragma once
// The message box and the colour dialog, and the one seam through which tests answer every
// modal box: the message box, the colour dialog and every dialog run with DoModal.

#include "platform/Types.h"

#include <functional>

class CDialog;
class CWnd;

// Dialog results.
#define IDOK 1
#define IDCANCEL 2

// Message-box types: buttons, icon and modality, or-ed together.
enum : UINT
{
    MB_OK = 0x0000,
    MB_OKCANCEL = 0x0001,
    MB_ICONERROR = 0x0010,
    MB_ICONQUESTION = 0x0020,
    MB_TASKMODAL = 0x2000,
};

// Shows a message box with the application name as its caption and returns the button
// chosen (IDOK, IDCANCEL); closing it with Escape counts as Cancel (as OK for MB_OK).
int AfxMessageBox(const wchar_t* lpszText, UINT nType = MB_OK);
int AfxMessageBox(const CString& text, UINT nType = MB_OK);

// The platform's colour chooser. DoModal returns IDOK when a colour was chosen; GetColor then
// gives it. A chooser that cannot be shown ends with IDCANCEL.
class CColorDialog
{
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    virtual ~CColorDialog() = default;

    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
    DWORD m_dwFlags;
    CWnd* m_pParentWnd;
};

// What a modal box about to be shown is.
enum class ModalKind
{
    MessageBox,  // text, caption, type
    ColorDialog, // initialColor; the answer sets chosenColor
    Dialog,      // templateId, caption; pDialog is the live dialog, initialised and shown
};

struct ModalRequest
{
    ModalKind kind = ModalKind::MessageBox;
    CString text;
    CString caption;
    UINT type = 0;
    COLORREF initialColor = 0;
    COLORREF chosenColor = 0; // set by the answerer for a colour dialog it answers IDOK
    UINT templateId = 0;
    CDialog* pDialog = nullptr;
};

// Returning kRunModal lets the real box run; any other value is the box's result.
constexpr int kRunModal = -0x7FFF;
using ModalAnswer = std::function<int(ModalRequest&)>;

// Installs the answerer that every modal box consults before it shows; an empty function
// removes it, and then the real boxes run. Returns the previous answerer.
ModalAnswer AfxSetModalAnswerer(ModalAnswer answerer);
// Asks the answerer, if there is one; kRunModal when there is none.
int AfxAnswerModal(ModalRequest& request);
