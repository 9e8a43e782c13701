#pragma once
// Icons, cursors and bitmaps from the resource table, and showing a cursor.

#include "platform/MessageMap.h"
#include "platform/Types.h"

class QCursor;
class QIcon;
class QPixmap;

// nullptr when the resource does not exist. Handles stay valid for the life of the process
// (they are shared, like the desktop's resource icons).
HICON AfxLoadIcon(UINT nID);
HCURSOR AfxLoadCursor(UINT nID);

// Shows the cursor over the window that holds the mouse capture, or else over the window
// under the mouse; returns the cursor shown before (nullptr when it was not ours).
HCURSOR SetCursor(HCURSOR hCursor);

// What a handle stands for, for the platform's own widgets.
const QIcon& IconOf(HICON hIcon);     // all sizes of the icon
const QCursor& CursorOf(HCURSOR hCursor);
QPixmap AfxLoadBitmap(UINT nID);      // a null pixmap when missing
