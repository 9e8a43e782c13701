#include "view/OGLJText.h"

#include "platform/GLContext.h"
#include "platform/NumberText.h"

#include <cstdarg>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

namespace
{
constexpr std::size_t kTextChars = 4096; // the formatted text, terminator included
constexpr wchar_t kFaceName[] = L"FixedSys";

// The lines of a text: split at "\n", a "\r" before it dropped, no line after a final "\n".
std::vector<std::wstring> SplitLines(const wchar_t* text)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    for (const wchar_t* p = text;; ++p)
    {
        if (*p == L'\n' || *p == L'\0')
        {
            if (*p == L'\n' && !line.empty() && line.back() == L'\r')
                line.pop_back();
            if (*p == L'\0' && p != text && p[-1] == L'\n')
                break;
            lines.push_back(line);
            line.clear();
            if (*p == L'\0')
                break;
        }
        else
        {
            line.push_back(*p);
        }
    }
    return lines;
}
} // namespace

COGLJText::COGLJText(float size) : m_size(size)
{
    std::wcsncpy(m_faceName, kFaceName, std::size(m_faceName) - 1);
    m_faceName[std::size(m_faceName) - 1] = L'\0';
}

COGLJText::~COGLJText()
{
    if (m_list != 0)
        glDeleteLists(m_list, 1);
    std::free(m_text);
    if (m_hFont)
        DeleteObject(m_hFont);
}

void COGLJText::SetText(const wchar_t* format, ...)
{
    wchar_t buffer[kTextChars] = {};
    if (format)
    {
        va_list args;
        va_start(args, format);
        // Numbers read the same under every regional setting.
        FormatClassicV(buffer, kTextChars, format, args);
        va_end(args);
    }

    if (m_text && std::wcscmp(m_text, buffer) == 0)
        return;
    const std::size_t length = std::wcslen(buffer);
    auto* copy = static_cast<wchar_t*>(std::malloc((length + 1) * sizeof(wchar_t)));
    if (!copy)
        return; // keep the old text and its list
    std::wmemcpy(copy, buffer, length + 1);
    std::free(m_text);
    m_text = copy;
    if (m_list != 0)
    {
        glDeleteLists(m_list, 1);
        m_list = 0;
    }
}

void COGLJText::Draw()
{
    if (m_list != 0)
    {
        glCallList(m_list);
        return;
    }
    if (!m_text)
        return;

    // A context that is not a window's of ours (an offscreen one) still has a screen whose
    // resolution sizes the text.
    HDC hdc = wglGetCurrentDC();
    if (!hdc)
        hdc = GetCurrentGLDC();
    if (!m_hFont)
        m_hFont = CreateLabelFont(hdc, m_faceName, m_size);

    const std::vector<std::wstring> lines = SplitLines(m_text);

    // Without a list the bitmaps are still drawn, and the next draw tries again.
    m_list = glGenLists(1);
    if (m_list != 0)
        glNewList(m_list, GL_COMPILE_AND_EXECUTE);
    GLsizei i = 0;
    for (const std::wstring& line : lines)
    {
        ++i;
        if (line.empty() || !hdc)
            continue;
        int size[2] = {};
        BYTE* bits = RenderTextBitmap(hdc, m_hFont, line.c_str(), size);
        if (!bits)
            continue;
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glBitmap(size[0], size[1], 0.0f, static_cast<GLfloat>(i * size[1]), 0.0f, 0.0f, bits);
        std::free(bits);
    }
    if (m_list != 0)
        glEndList();
}
