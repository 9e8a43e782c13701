#include "tests/support/ModalAnswers.h"

#include "platform/Dialog.h"

ModalAnswers::ModalAnswers()
{
    m_previous = AfxSetModalAnswerer([this](ModalRequest& request) { return Answer(request); });
}

ModalAnswers::~ModalAnswers()
{
    AfxSetModalAnswerer(std::move(m_previous));
}

int ModalAnswers::Answer(ModalRequest& request)
{
    int answer = IDCANCEL;
    switch (request.kind)
    {
    case ModalKind::MessageBox:
        answer = m_messageBoxAnswer;
        break;
    case ModalKind::ColorDialog:
        answer = m_colorAnswer;
        if (answer == IDOK)
            request.chosenColor = m_chosenColor;
        break;
    case ModalKind::Dialog:
        answer = m_dialogAnswer;
        if (m_inspect && request.pDialog != nullptr)
            m_inspect(*request.pDialog);
        break;
    }
    m_requests.push_back(request);
    return answer;
}

int ModalAnswers::Count(ModalKind kind) const
{
    int n = 0;
    for (const ModalRequest& request : m_requests)
        if (request.kind == kind)
            ++n;
    return n;
}

const ModalRequest* ModalAnswers::Last(ModalKind kind) const
{
    for (auto it = m_requests.rbegin(); it != m_requests.rend(); ++it)
        if (it->kind == kind)
            return &*it;
    return nullptr;
}
