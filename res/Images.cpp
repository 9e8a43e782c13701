#include "res/Resources.h"
#include "res/resource.h"

// The pictures themselves are drawn by res/tools/draw_images.py.
#include "res/images/cursor_pan.xpm"
#include "res/images/cursor_spin.xpm"
#include "res/images/icon16.xpm"
#include "res/images/icon32.xpm"
#include "res/images/icon48.xpm"
#include "res/images/toolbar_view.xpm"

const ImageResource g_images[] = {
    // The application icon, largest first.
    {IDR_MAINFRAME, ImageKind::Icon, 48, 48, 0, 0, icon48_xpm},
    {IDR_MAINFRAME, ImageKind::Icon, 32, 32, 0, 0, icon32_xpm},
    {IDR_MAINFRAME, ImageKind::Icon, 16, 16, 0, 0, icon16_xpm},
    // Drag cursors, each with its hot spot on the centre of its disc.
    {IDC_CURSOR_PAN, ImageKind::Cursor, 32, 32, 15, 15, cursor_pan_xpm},
    {IDC_CURSOR_SPIN, ImageKind::Cursor, 32, 32, 16, 16, cursor_spin_xpm},
    // The view-point toolbar: eleven 16 x 15 buttons side by side.
    {IDR_TOOLBAR_VIEW, ImageKind::Bitmap, 176, 15, 0, 0, toolbar_view_xpm},
};
const std::size_t g_imageCount = sizeof(g_images) / sizeof(g_images[0]);
