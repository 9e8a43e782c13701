#include "platform/NumberText.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <locale.h>

namespace
{
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

locale_t ClassicLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Length of the decimal-number prefix at p, 0 when there is none.
std::size_t NumberPrefixLength(const char* p)
{
    std::size_t n = 0;
    if (p[n] == '+' || p[n] == '-')
        ++n;
    std::size_t digits = 0;
    while (IsDigit(p[n]))
        ++n, ++digits;
    if (p[n] == '.')
    {
        ++n;
        while (IsDigit(p[n]))
            ++n, ++digits;
    }
    if (digits == 0)
        return 0;
    if (p[n] == 'e' || p[n] == 'E')
    {
        std::size_t e = n + 1;
        if (p[e] == '+' || p[e] == '-')
            ++e;
        if (IsDigit(p[e]))
        {
            while (IsDigit(p[e]))
                ++e;
            n = e;
        }
    }
    return n;
}
} // namespace

double ReadNumberPrefix(const char* text)
{
    if (text == nullptr)
        return 0.0;
    while (IsSpace(*text))
        ++text;
    const std::size_t length = NumberPrefixLength(text);
    if (length == 0)
        return 0.0;
    const std::string prefix(text, length);
    return strtod_l(prefix.c_str(), nullptr, ClassicLocale());
}

std::string FormatFixed(double value, int decimals)
{
    // uselocale changes only this thread's locale, and only for the call.
    const locale_t previous = uselocale(ClassicLocale());
    const int needed = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(needed > 0 ? static_cast<std::size_t>(needed) : 0, '\0');
    if (needed > 0)
        std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
    uselocale(previous);
    return text;
}

int FormatClassicV(wchar_t* buffer, std::size_t size, const wchar_t* format, va_list args)
{
    if (buffer == nullptr || size == 0)
        return -1;
    const locale_t previous = uselocale(ClassicLocale());
    // A text too long makes this return -1 and need not terminate what it wrote.
    const int written = std::vswprintf(buffer, size, format, args);
    uselocale(previous);
    buffer[size - 1] = L'\0';
    return written;
}
