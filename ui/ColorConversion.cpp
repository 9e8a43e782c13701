#include "ui/ColorConversion.h"

namespace
{
constexpr float kByteScale = 255.0f;
}

BYTE ColorComponentToByte(float component)
{
    const float scaled = component * kByteScale;
    // Out-of-range components cannot come from the dialog; keep them from overflowing.
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= kByteScale)
        return 255;
    return static_cast<BYTE>(scaled);
}

float ColorByteToComponent(BYTE value)
{
    return static_cast<float>(value) / kByteScale;
}

COLORREF ColorToRef(const float rgb[3])
{
    return RGB(ColorComponentToByte(rgb[0]), ColorComponentToByte(rgb[1]),
               ColorComponentToByte(rgb[2]));
}

void ColorFromRef(COLORREF color, float rgb[3])
{
    rgb[0] = ColorByteToComponent(GetRValue(color));
    rgb[1] = ColorByteToComponent(GetGValue(color));
    rgb[2] = ColorByteToComponent(GetBValue(color));
}
