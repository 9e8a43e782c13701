#include "platform/CodePage.h"

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <iconv.h>

namespace
{
constexpr const char* kTargetCode = "CP932";
constexpr const char* kSourceCode = "WCHAR_T";

// One descriptor for the life of the process: opening loads the converter module, which is
// too slow to repeat for every edit of every panel read.
iconv_t Converter()
{
    static const iconv_t cd = iconv_open(kTargetCode, kSourceCode);
    return cd;
}

// Where the system has no converter for the code page, its single-byte range still maps
// one to one: plain ASCII passes and anything else counts as unrepresentable.
CodePageResult ConvertAsciiOnly(const wchar_t* text, std::size_t length, char* buffer,
                                std::size_t room)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < length; ++i)
    {
        if (text[i] < 0 || text[i] > 0x7F)
        {
            buffer[n] = '\0';
            return CodePageResult::Unrepresentable;
        }
        if (n == room)
        {
            buffer[n] = '\0';
            return CodePageResult::Truncated;
        }
        buffer[n++] = static_cast<char>(text[i]);
    }
    buffer[n] = '\0';
    return CodePageResult::Converted;
}
} // namespace

CodePageResult WideToCodePage932(const wchar_t* text, char* buffer, std::size_t bufferSize)
{
    if (buffer == nullptr || bufferSize == 0)
        return CodePageResult::Truncated;
    buffer[0] = '\0';
    if (text == nullptr)
        return CodePageResult::Converted;

    const std::size_t length = std::wcslen(text);
    const std::size_t room = bufferSize - 1;
    const iconv_t cd = Converter();
    if (cd == reinterpret_cast<iconv_t>(-1))
        return ConvertAsciiOnly(text, length, buffer, room);

    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(text));
    std::size_t inLeft = length * sizeof(wchar_t);
    char* out = buffer;
    std::size_t outLeft = room;
    CodePageResult result = CodePageResult::Converted;
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        result = errno == E2BIG ? CodePageResult::Truncated : CodePageResult::Unrepresentable;
    else if (iconv(cd, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
        result = CodePageResult::Truncated;
    *out = '\0';
    return result;
}
