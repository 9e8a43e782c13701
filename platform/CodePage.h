#pragma once
// Conversion of wide text to the Japanese double-byte code page (932) into a fixed buffer,
// truncating, as the panel uses it to vet what the user typed before reading a number.
// The process locale is never touched: the conversion goes through iconv directly.

#include <cstddef>

enum class CodePageResult
{
    Converted,       // the whole text fits, terminator included
    Unrepresentable, // a character has no form in the code page; the buffer holds the text before
                     // it
    Truncated,       // the text needs more bytes than the buffer has; it holds what fits
};

// Converts the wide text (up to its first NUL) to code page 932 into buffer, which always
// ends up NUL-terminated and never holds part of a double-byte character. bufferSize counts
// the terminator, so at most bufferSize - 1 bytes of text fit.
CodePageResult WideToCodePage932(const wchar_t* text, char* buffer, std::size_t bufferSize);
