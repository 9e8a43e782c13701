#pragma once
// Numbers as the panel shows them: read by the longest decimal prefix and written with
// three decimals, always with '.' as the decimal point whatever the process locale says.

#include <cstdarg>
#include <cstddef>
#include <string>

// Skips leading white space, then converts the longest prefix of the form
// [sign] digits [. digits] [(e|E) [sign] digits] (at least one mantissa digit). Only
// decimal numbers count: no hexadecimal, no infinity or NaN words. Text without such a
// prefix gives 0.0; a value beyond the double range gives plus or minus HUGE_VAL.
double ReadNumberPrefix(const char* text);

// The value in fixed notation with `decimals` decimals, as "%.3f" writes it for 3.
std::string FormatFixed(double value, int decimals = 3);

// vswprintf into buffer[size] with '.' as the decimal point whatever the process locale says;
// the buffer is always terminated. Returns what vswprintf returns (-1 when cut short).
int FormatClassicV(wchar_t* buffer, std::size_t size, const wchar_t* format, va_list args);
