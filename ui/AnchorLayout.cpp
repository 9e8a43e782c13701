#include "ui/AnchorLayout.h"

#include "platform/MessageMap.h"

AnchorRecord CaptureAnchor(Anchor kind, const CRect& client, const CRect& control)
{
    const LONG rightMargin = client.right - control.right;
    const LONG bottomMargin = client.bottom - control.bottom;
    const LONG width = control.Width();
    const LONG height = control.Height();
    switch (kind)
    {
    case Anchor::Stretch:
        return AnchorRecord{{control.left, control.top, rightMargin, bottomMargin}};
    case Anchor::TopRight:
        return AnchorRecord{{control.top, width, height, rightMargin}};
    case Anchor::BottomLeft:
        return AnchorRecord{{control.left, width, height, bottomMargin}};
    case Anchor::BottomRight:
        return AnchorRecord{{width, height, rightMargin, bottomMargin}};
    }
    return AnchorRecord{};
}

CRect ApplyAnchor(Anchor kind, const AnchorRecord& record, const CRect& client)
{
    const LONG* v = record.value;
    const LONG r = client.right;
    const LONG b = client.bottom;
    int x = 0, y = 0, width = 0, height = 0;
    switch (kind)
    {
    case Anchor::Stretch:
        x = v[0];
        y = v[1];
        width = r - v[2] - v[0];
        height = b - v[3] - v[1];
        break;
    case Anchor::TopRight:
        width = v[1];
        height = v[2];
        x = r - v[3] - width;
        y = v[0];
        break;
    case Anchor::BottomLeft:
        width = v[1];
        height = v[2];
        x = v[0];
        y = b - v[3] - height;
        break;
    case Anchor::BottomRight:
        width = v[0];
        height = v[1];
        x = r - v[2] - width;
        y = b - v[3] - height;
        break;
    }
    return CRect(x, y, x + width, y + height);
}

void EnforceMinimumWindowSize(UINT fwSide, CRect* pRect)
{
    if (pRect == nullptr)
        return;
    if (pRect->Width() < kMinWindowWidth)
    {
        if (fwSide == WMSZ_LEFT || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_BOTTOMLEFT)
            pRect->left = pRect->right - kMinWindowWidth;
        else
            pRect->right = pRect->left + kMinWindowWidth;
    }
    if (pRect->Height() < kMinWindowHeight)
    {
        if (fwSide == WMSZ_TOP || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_TOPRIGHT)
            pRect->top = pRect->bottom - kMinWindowHeight;
        else
            pRect->bottom = pRect->top + kMinWindowHeight;
    }
}
