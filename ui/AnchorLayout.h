#pragma once
// The arithmetic of the main window's layout: how a control keeps its distances to the
// client edges as the window is resized, and the smallest window the user may drag to.
// Pure functions, so the rules can be checked without any window.

#include "platform/Types.h"

enum class Anchor
{
    Stretch,     // keeps all four distances to the client edges
    TopRight,    // keeps its size and its distances to the top and right edges
    BottomLeft,  // keeps its size and its distances to the bottom and left edges
    BottomRight, // keeps its size and its distances to the bottom and right edges
};

// Four values whose meaning depends on the anchoring kind:
//   Stretch      left, top, right margin, bottom margin
//   TopRight     top, width, height, right margin
//   BottomLeft   left, width, height, bottom margin
//   BottomRight  width, height, right margin, bottom margin
// Margins are measured from the control's right or bottom to the client's right or bottom.
struct AnchorRecord
{
    LONG value[4] = {0, 0, 0, 0};
};

// control is the control's rectangle in the client coordinates of client.
AnchorRecord CaptureAnchor(Anchor kind, const CRect& client, const CRect& control);

// Where the control goes in a client rectangle of the new size. Sizes may come out zero or
// negative when the client is smaller than the captured margins; they are not corrected.
CRect ApplyAnchor(Anchor kind, const AnchorRecord& record, const CRect& client);

// The smallest window, frame included, the user can drag the border to.
constexpr int kMinWindowWidth = 480;
constexpr int kMinWindowHeight = 400;

// Enlarges a proposed window rectangle to the minimum, moving only the edge being dragged
// (fwSide, a WMSZ_ value) so that the opposite edge stays where it is.
void EnforceMinimumWindowSize(UINT fwSide, CRect* pRect);
