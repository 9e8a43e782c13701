#pragma once
// The view keeps colours as three floats in 0..1; the colour dialog works with 8-bit
// components. Converting a byte to a float and back gives the same byte for every value,
// so a colour chosen once is preselected exactly the next time.

#include "platform/Types.h"

// Multiplies by 255 in single precision and truncates toward zero.
BYTE ColorComponentToByte(float component);
// Divides by 255 in single precision.
float ColorByteToComponent(BYTE value);

COLORREF ColorToRef(const float rgb[3]);
void ColorFromRef(COLORREF color, float rgb[3]);
