#include "platform/TextBitmap.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace
{
constexpr int kPointsPerInch = 72;
constexpr std::size_t kMaxFaceChars = 31; // what a face name holds beside its terminator
constexpr int kMaxPoints = 720;           // ten inches: far beyond any label
constexpr int kRowAlignBits = 32;
constexpr int kLightGray = 128; // pixels at least this light are glyph pixels
} // namespace

struct FontHandle
{
    QFont font;
};

struct BitmapHandle
{
    QImage image;
};

namespace
{
// n · num / den rounded half away from zero, without intermediate overflow.
int MulDiv(int n, int num, int den)
{
    const std::int64_t product = static_cast<std::int64_t>(n) * num;
    const std::int64_t half = den / 2;
    return static_cast<int>(product >= 0 ? (product + half) / den : (product - half) / den);
}

// A face name holds at most 31 characters.
int FaceLength(const wchar_t* face)
{
    std::size_t n = 0;
    while (n < kMaxFaceChars && face[n] != L'\0')
        ++n;
    return static_cast<int>(n);
}

// Bit for a pixel of the given colour index: colour decides, not the index.
bool IsLight(const QImage& image, int index)
{
    const QRgb colour = index < image.colorCount() ? image.color(index)
                        : index != 0               ? qRgb(255, 255, 255)
                                                   : qRgb(0, 0, 0);
    return qGray(colour) >= kLightGray;
}
} // namespace

HFONT CreateLabelFont(HDC hdc, const wchar_t* face, float size)
{
    // Without a device there is no resolution to size the font by.
    if (!face || !hdc)
        return nullptr;
    if (!(size >= 1.0f && size < static_cast<float>(kMaxPoints + 1)))
        return nullptr;
    const int points = static_cast<int>(size);
    const int pixels = MulDiv(points, GetDeviceCaps(hdc, LOGPIXELSY), kPointsPerInch);
    if (pixels < 1)
        return nullptr;

    auto* handle = new FontHandle;
    handle->font.setFamily(QString::fromWCharArray(face, FaceLength(face)));
    // Where the face is missing, the monospace hint makes the font engine pick a fixed-pitch one.
    handle->font.setStyleHint(QFont::TypeWriter, QFont::NoAntialias);
    handle->font.setWeight(QFont::Normal);
    handle->font.setPixelSize(pixels);
    return handle;
}

BYTE* RenderTextBitmap(HDC hdc, HFONT font, const wchar_t* line, int size[2])
{
    if (!hdc || !font || !line || !size)
        return nullptr;
    const QString text = QString::fromWCharArray(line);
    const QFontMetrics metrics(font->font);
    const int cx = metrics.horizontalAdvance(text);
    const int cy = metrics.height();
    if (cx <= 0 || cy <= 0)
        return nullptr;

    BitmapHandle bitmap{QImage(cx, cy, QImage::Format_Mono)};
    if (bitmap.image.isNull())
        return nullptr;
    bitmap.image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    {
        QPainter painter(&bitmap.image);
        if (!painter.isActive())
            return nullptr;
        painter.fillRect(bitmap.image.rect(), Qt::black);
        painter.setFont(font->font);
        painter.setPen(Qt::white);
        painter.setBackground(Qt::black);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.drawText(0, metrics.ascent(), text);
    }
    return ReadBitmapBits(hdc, &bitmap, size);
}

BYTE* ReadBitmapBits(HDC hdc, HBITMAP bitmap, int size[2])
{
    if (!hdc || !bitmap || !size || bitmap->image.isNull())
        return nullptr;
    QImage image = bitmap->image;
    if (image.format() != QImage::Format_Mono)
        image = image.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0 || w > INT32_MAX - kRowAlignBits)
        return nullptr;

    const int padded = (w + kRowAlignBits - 1) / kRowAlignBits * kRowAlignBits;
    const std::size_t rowBytes = static_cast<std::size_t>(padded) / 8;
    auto* bits = static_cast<BYTE*>(std::calloc(rowBytes * static_cast<std::size_t>(h), 1));
    if (!bits)
        return nullptr;

    // Each source byte maps to the glyph bits by what its two indices look like.
    const bool light0 = IsLight(image, 0);
    const bool light1 = IsLight(image, 1);
    const std::size_t usedBytes = (static_cast<std::size_t>(w) + 7) / 8;
    const BYTE lastMask = static_cast<BYTE>(0xFF << ((8 - w % 8) % 8));
    for (int y = 0; y < h; ++y)
    {
        const uchar* src = image.constScanLine(y);
        BYTE* dst = bits + rowBytes * static_cast<std::size_t>(h - 1 - y); // bottom-up
        for (std::size_t i = 0; i < usedBytes; ++i)
        {
            const BYTE b = src[i];
            dst[i] = light1 ? (light0 ? BYTE(0xFF) : b) : (light0 ? BYTE(~b) : BYTE(0));
        }
        dst[usedBytes - 1] &= lastMask;
    }
    size[0] = padded;
    size[1] = h;
    return bits;
}

HBITMAP CreateBitmapFromImage(const QImage& image)
{
    return new BitmapHandle{image};
}

BOOL DeleteObject(HFONT font)
{
    delete font;
    return font ? TRUE : FALSE;
}

BOOL DeleteObject(HBITMAP bitmap)
{
    delete bitmap;
    return bitmap ? TRUE : FALSE;
}

const QFont& FontOf(HFONT font)
{
    static const QFont none;
    return font ? font->font : none;
}

const QImage& ImageOf(HBITMAP bitmap)
{
    static const QImage none;
    return bitmap ? bitmap->image : none;
}
