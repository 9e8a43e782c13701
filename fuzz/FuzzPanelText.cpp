// Fuzz target for the panel's text reading: arbitrary wide text through the code-page vetting
// and the number reading, and the number written back and read again.
#include "platform/CodePage.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr std::size_t kVetBufferSize = 32; // as the panel vets its rows

void Check(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Any 32-bit values, surrogates and values beyond Unicode included, ended by a NUL.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    std::memcpy(text.data(), data, (size / sizeof(wchar_t)) * sizeof(wchar_t));

    char buffer[kVetBufferSize + 8];
    std::memset(buffer, 0x5A, sizeof buffer);
    const CodePageResult result = WideToCodePage932(text.data(), buffer, kVetBufferSize);
    // The buffer always ends within its size, and nothing past it was written.
    Check(std::memchr(buffer, '\0', kVetBufferSize) != nullptr);
    for (std::size_t i = kVetBufferSize; i < sizeof buffer; ++i)
        Check(buffer[i] == 0x5A);
    if (result != CodePageResult::Converted)
        return 0;

    const double value = ReadNumberPrefix(buffer);
    Check(!std::isnan(value)); // decimal numbers only: no "nan" words
    if (std::strpbrk(buffer, "0123456789") == nullptr)
        Check(value == 0.0);
    if (std::isfinite(value))
    {
        // What the panel writes reads back as the same value to three decimals.
        const double again = ReadNumberPrefix(FormatFixed(value).c_str());
        Check(std::isfinite(again));
        Check(std::fabs(again - value) <= 0.0005 + std::fabs(value) * 1e-15);
    }
    return 0;
}
