#pragma once
// Fonts and one-bit text bitmaps for the view's labels: a line of text is rasterised white on
// black and handed over as rows bottom-up, most significant bit the leftmost pixel, each row
// padded to a multiple of 32 pixels, the layout glBitmap takes.

#include "platform/DeviceContext.h"
#include "platform/Types.h"

class QFont;
class QImage;

using HFONT = struct FontHandle*;
using HBITMAP = struct BitmapHandle*;

// A fixed-pitch font of the face asked for (the nearest monospace face where it is missing),
// `size` points truncated to whole points, at the logical resolution of hdc. NULL when face or
// hdc is NULL or the size is below one point or absurdly large.
HFONT CreateLabelFont(HDC hdc, const wchar_t* face, float size);

// The line rendered in font: a buffer from malloc, freed by the caller with free; size[0] is
// the padded width and size[1] the height in pixels. NULL when an argument is NULL, the line
// has no extent or the bitmap cannot be made.
BYTE* RenderTextBitmap(HDC hdc, HFONT font, const wchar_t* line, int size[2]);

// The bits of a bitmap in the layout above, light pixels 1 and dark pixels 0, whatever the
// image's format or colour table. NULL when an argument is NULL or the bitmap is empty.
BYTE* ReadBitmapBits(HDC hdc, HBITMAP bitmap, int size[2]);

// Bitmaps over images, so bitmaps of any content can be read.
HBITMAP CreateBitmapFromImage(const QImage& image);

BOOL DeleteObject(HFONT font);
BOOL DeleteObject(HBITMAP bitmap);

// What a handle stands for.
const QFont& FontOf(HFONT font);
const QImage& ImageOf(HBITMAP bitmap);
