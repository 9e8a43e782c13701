#pragma once
// Answers every modal box while it lives (message boxes, colour dialogs, dialogs run with
// DoModal) and records what was asked, so tests never block on a real box.

#include "platform/CommonDialogs.h"

#include <functional>
#include <vector>

class ModalAnswers
{
public:
    // Until told otherwise every box is answered IDCANCEL.
    ModalAnswers();
    ~ModalAnswers();
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;

    void AnswerMessageBoxes(int answer) { m_messageBoxAnswer = answer; }
    // With IDOK the dialog reports `chosen` as the colour picked.
    void AnswerColorDialogs(int answer, COLORREF chosen = 0)
    {
        m_colorAnswer = answer;
        m_chosenColor = chosen;
    }
    // inspect runs while the dialog is shown, before it is answered.
    void AnswerDialogs(int answer, std::function<void(CDialog&)> inspect = {})
    {
        m_dialogAnswer = answer;
        m_inspect = std::move(inspect);
    }

    // Everything asked so far, oldest first (pDialog is only valid while its box was open).
    const std::vector<ModalRequest>& Requests() const { return m_requests; }
    int Count(ModalKind kind) const;
    // The latest request of that kind, or nullptr.
    const ModalRequest* Last(ModalKind kind) const;
    void Clear() { m_requests.clear(); }

private:
    int Answer(ModalRequest& request);

    ModalAnswer m_previous;
    std::vector<ModalRequest> m_requests;
    int m_messageBoxAnswer = IDCANCEL;
    int m_colorAnswer = IDCANCEL;
    COLORREF m_chosenColor = 0;
    int m_dialogAnswer = IDCANCEL;
    std::function<void(CDialog&)> m_inspect;
};
