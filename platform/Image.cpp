#include "platform/Image.h"

#include "platform/Resource.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <map>

// What an HICON or HCURSOR points at; the two types are one, so each handle can stand for
// both (an icon dragged as a cursor, a cursor shown as an icon).
struct IconHandle
{
    QIcon icon;
    QCursor cursor;
};

namespace
{
// Size of the picture an icon shows when it stands in for a cursor.
constexpr int kDragIconSize = 32;

// Handles live as long as the process, like shared resource icons: callers keep them in
// members and static objects, so the cache is never torn down.
using HandleCache = std::map<UINT, IconHandle*>;

HandleCache& IconCache()
{
    static auto* cache = new HandleCache;
    return *cache;
}

HandleCache& CursorCache()
{
    static auto* cache = new HandleCache;
    return *cache;
}

HCURSOR g_hShownCursor = nullptr;

// Pixmaps need the GUI application; without one every load reports a missing resource.
bool CanMakePixmaps()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

// The picture of one table entry, or a null image when its data does not decode to the
// size the entry states.
QImage DecodeImage(const ImageResource& image)
{
    if (image.xpm == nullptr)
        return QImage();
    QImage decoded(image.xpm);
    if (decoded.isNull() || decoded.width() != image.width || decoded.height() != image.height)
        return QImage();
    return decoded;
}

CWnd* WindowUnderMouse()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr; // no widgets without the widget application
    for (QWidget* w = QApplication::widgetAt(QCursor::pos()); w != nullptr; w = w->parentWidget())
        if (CWnd* wnd = CWnd::FromWidget(w))
            return wnd;
    return nullptr;
}
} // namespace

HICON AfxLoadIcon(UINT nID)
{
    HandleCache& cache = IconCache();
    if (auto it = cache.find(nID); it != cache.end())
        return it->second;
    const ResourceTable* table = AfxGetResourceTable();
    if (table == nullptr || !CanMakePixmaps())
        return nullptr;
    QIcon icon;
    for (std::size_t i = 0; i < table->imageCount; ++i)
    {
        const ImageResource& image = table->images[i];
        if (image.id != nID || image.kind != ImageKind::Icon)
            continue;
        const QImage decoded = DecodeImage(image);
        if (!decoded.isNull())
            icon.addPixmap(QPixmap::fromImage(decoded));
    }
    if (icon.isNull())
        return nullptr;
    auto* handle = new IconHandle{icon, QCursor(icon.pixmap(kDragIconSize))};
    cache.emplace(nID, handle);
    return handle;
}

HCURSOR AfxLoadCursor(UINT nID)
{
    HandleCache& cache = CursorCache();
    if (auto it = cache.find(nID); it != cache.end())
        return it->second;
    const ImageResource* image = AfxFindImage(nID, ImageKind::Cursor);
    if (image == nullptr || !CanMakePixmaps())
        return nullptr;
    const QImage decoded = DecodeImage(*image);
    if (decoded.isNull())
        return nullptr;
    // A hot spot outside the picture would make Qt pick the centre; keep it on the edge.
    const int hotX = std::clamp(image->hotX, 0, decoded.width() - 1);
    const int hotY = std::clamp(image->hotY, 0, decoded.height() - 1);
    const QPixmap pixmap = QPixmap::fromImage(decoded);
    auto* handle = new IconHandle{QIcon(pixmap), QCursor(pixmap, hotX, hotY)};
    cache.emplace(nID, handle);
    return handle;
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    const HCURSOR previous = g_hShownCursor;
    CWnd* target = CWnd::GetCapture();
    if (target == nullptr)
        target = WindowUnderMouse();
    if (target == nullptr)
        return previous;
    target->ApplyCursor(CursorOf(hCursor));
    g_hShownCursor = hCursor;
    return previous;
}

const QIcon& IconOf(HICON hIcon)
{
    static const QIcon none;
    return hIcon != nullptr ? hIcon->icon : none;
}

const QCursor& CursorOf(HCURSOR hCursor)
{
    // No cursor of ours: the ordinary arrow.
    static const QCursor arrow(Qt::ArrowCursor);
    return hCursor != nullptr ? hCursor->cursor : arrow;
}

QPixmap AfxLoadBitmap(UINT nID)
{
    const ImageResource* image = AfxFindImage(nID, ImageKind::Bitmap);
    if (image == nullptr || !CanMakePixmaps())
        return QPixmap();
    return QPixmap::fromImage(DecodeImage(*image));
}
