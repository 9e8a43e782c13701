// The application's pictures as the platform loads them: the icon, the toolbar strip and
// the two drag cursors, and showing a cursor over the window that wants it.
#include "platform/Image.h"
#include "platform/Resource.h"
#include "platform/Wnd.h"
#include "res/Resources.h"
#include "res/resource.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace
{
constexpr QRgb kBlack = 0xff000000;

QImage ArgbOf(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool IsClear(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 0;
}

bool HasOpaquePixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!IsClear(image, x, y))
                return true;
    return false;
}

// Records what the platform's SetCursor shows over this window.
class CCursorRecorder : public CWnd
{
public:
    void ApplyCursor(const QCursor& cursor) override { m_applied = cursor; }
    std::optional<QCursor> m_applied;
};

// Waits until the window system shows the widget; false if it never does.
bool WaitExposed(QWidget& widget)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000)
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (widget.windowHandle() != nullptr && widget.windowHandle()->isExposed())
            return true;
    }
    return false;
}
} // namespace

TEST(Images, EveryPictureDecodesToItsStatedSizeOnAClearBackground)
{
    for (std::size_t i = 0; i < g_imageCount; ++i)
    {
        const ImageResource& entry = g_images[i];
        SCOPED_TRACE(testing::Message() << "image " << entry.id << " of width " << entry.width);
        const QImage image(entry.xpm);
        ASSERT_EQ(image.size(), QSize(entry.width, entry.height));
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        EXPECT_TRUE(IsClear(argb, 0, 0));
        EXPECT_TRUE(HasOpaquePixel(argb));
    }
}

TEST(Images, IconComesInThreeSizesBehindOneSharedHandle)
{
    const HICON hIcon = AfxLoadIcon(IDR_MAINFRAME);
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(AfxLoadIcon(IDR_MAINFRAME), hIcon);
    const QIcon& icon = IconOf(hIcon);
    for (int size : {16, 32, 48})
    {
        SCOPED_TRACE(size);
        const ImageResource* entry = AfxFindImage(IDR_MAINFRAME, ImageKind::Icon, size);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->width, size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage picture = ArgbOf(icon.pixmap(QSize(size, size), 1.0));
        EXPECT_EQ(picture.size(), QSize(size, size));
        EXPECT_TRUE(HasOpaquePixel(picture));
    }
}

TEST(Images, ToolbarStripSplitsIntoElevenDistinctButtons)
{
    const QPixmap strip = AfxLoadBitmap(IDR_TOOLBAR_VIEW);
    ASSERT_EQ(strip.size(), QSize(176, 15));
    std::vector<QImage> buttons;
    for (int i = 0; i < 11; ++i)
        buttons.push_back(ArgbOf(strip.copy(16 * i, 0, 16, 15)));
    for (int i = 0; i < 11; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(buttons[i].size(), QSize(16, 15));
        EXPECT_TRUE(HasOpaquePixel(buttons[i]));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(buttons[i], buttons[j]) << "buttons " << j << " and " << i << " look alike";
    }
}

TEST(Images, DragCursorsAreFourWayArrowsAroundAFilledDisc)
{
    struct Case
    {
        UINT id;
        QPoint hotSpot;
        QRgb fill;
    };
    const Case cases[] = {
        {IDC_CURSOR_PAN, QPoint(15, 15), 0xff00ffff},  // cyan
        {IDC_CURSOR_SPIN, QPoint(16, 16), 0xffffff00}, // yellow
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        const HCURSOR hCursor = AfxLoadCursor(c.id);
        ASSERT_NE(hCursor, nullptr);
        EXPECT_EQ(AfxLoadCursor(c.id), hCursor);
        const QCursor& cursor = CursorOf(hCursor);
        EXPECT_EQ(cursor.hotSpot(), c.hotSpot);
        const QImage image = ArgbOf(cursor.pixmap());
        ASSERT_EQ(image.size(), QSize(32, 32));

        // Only the fill and the black outline are drawn.
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
            {
                const QRgb pixel = image.pixel(x, y);
                ASSERT_TRUE(qAlpha(pixel) == 0 || pixel == c.fill || pixel == kBlack)
                    << "at " << x << ", " << y;
            }

        const int hx = c.hotSpot.x();
        const int hy = c.hotSpot.y();
        EXPECT_EQ(image.pixel(hx, hy), c.fill);
        // Towards each side: the disc's fill, its black rim, then an arrow that ends in
        // black outline before the clear margin.
        for (QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
        {
            SCOPED_TRACE(testing::Message() << "towards " << step.x() << ", " << step.y());
            QPoint p(hx, hy);
            while (image.pixel(p) == c.fill)
                p += step;
            EXPECT_EQ(image.pixel(p), kBlack) << "disc rim";
            QPoint lastOpaque = p;
            for (; image.rect().contains(p); p += step)
                if (!IsClear(image, p.x(), p.y()))
                    lastOpaque = p;
            EXPECT_EQ(image.pixel(lastOpaque), kBlack) << "arrow tip";
            EXPECT_GE((lastOpaque - c.hotSpot).manhattanLength(), 12) << "arrow too short";
        }
        // A quarter turn about the hot spot maps the picture onto itself.
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
            {
                const QPoint turned(hx - (y - hy), hy + (x - hx));
                const QRgb expected = image.rect().contains(turned) ? image.pixel(turned) : 0u;
                ASSERT_EQ(image.pixel(x, y), expected) << "at " << x << ", " << y;
            }
    }
}

TEST(Images, MissingOrMistypedResourcesGiveNothing)
{
    EXPECT_EQ(AfxLoadIcon(9999), nullptr);
    EXPECT_EQ(AfxLoadCursor(9999), nullptr);
    EXPECT_EQ(AfxLoadIcon(IDC_CURSOR_PAN), nullptr);
    EXPECT_EQ(AfxLoadCursor(IDR_MAINFRAME), nullptr);
    EXPECT_TRUE(AfxLoadBitmap(9999).isNull());
    EXPECT_TRUE(AfxLoadBitmap(IDR_MAINFRAME).isNull());
    EXPECT_TRUE(IconOf(nullptr).isNull());
    EXPECT_EQ(CursorOf(nullptr).shape(), Qt::ArrowCursor);
}

TEST(Images, BadTableEntriesAreRejectedAndOddHotSpotsKeptOnThePicture)
{
    static const char* const twoByTwo[] = {"2 2 2 1", ". c None", "# c #000000", "#.", ".#"};
    static const ImageResource images[] = {
        {5001, ImageKind::Icon, 4, 4, 0, 0, twoByTwo},     // size differs from the data
        {5002, ImageKind::Cursor, 2, 2, 0, 0, nullptr},    // no data
        {5003, ImageKind::Bitmap, 3, 2, 0, 0, twoByTwo},   // size differs from the data
        {5004, ImageKind::Cursor, 2, 2, 40, -3, twoByTwo}, // hot spot off the picture
    };
    ResourceTable table{};
    table.images = images;
    table.imageCount = sizeof(images) / sizeof(images[0]);
    const ResourceTable* saved = AfxGetResourceTable();
    AfxSetResourceTable(&table);

    EXPECT_EQ(AfxLoadIcon(5001), nullptr);
    EXPECT_EQ(AfxLoadCursor(5002), nullptr);
    EXPECT_TRUE(AfxLoadBitmap(5003).isNull());
    const HCURSOR hOdd = AfxLoadCursor(5004);
    ASSERT_NE(hOdd, nullptr);
    EXPECT_EQ(CursorOf(hOdd).hotSpot(), QPoint(1, 0));

    AfxSetResourceTable(saved);
}

TEST(Images, SetCursorShowsOverTheCapturingWindowAndReturnsThePrevious)
{
    QWidget widget;
    widget.resize(100, 100);
    widget.show();
    CCursorRecorder wnd;
    wnd.SubclassWindow(&widget);
    const HCURSOR hPan = AfxLoadCursor(IDC_CURSOR_PAN);
    const HCURSOR hSpin = AfxLoadCursor(IDC_CURSOR_SPIN);

    wnd.SetCapture();
    SetCursor(hPan);
    ASSERT_TRUE(wnd.m_applied.has_value());
    EXPECT_EQ(wnd.m_applied->hotSpot(), QPoint(15, 15));
    EXPECT_EQ(SetCursor(hSpin), hPan);
    EXPECT_EQ(wnd.m_applied->hotSpot(), QPoint(16, 16));
    EXPECT_EQ(SetCursor(nullptr), hSpin);
    EXPECT_EQ(wnd.m_applied->shape(), Qt::ArrowCursor);
    ReleaseCapture();
}

TEST(Images, SetCursorWithoutCaptureGoesToOurWindowUnderTheMouse)
{
    QWidget top;
    top.setGeometry(40, 40, 120, 120);
    QWidget child(&top); // a plain widget of ours, bound to no window object
    child.setGeometry(20, 20, 80, 80);
    CCursorRecorder wnd;
    wnd.SubclassWindow(&top);
    top.show();
    ASSERT_TRUE(WaitExposed(top));
    ASSERT_EQ(CWnd::GetCapture(), nullptr);
    const HCURSOR hSpin = AfxLoadCursor(IDC_CURSOR_SPIN);

    QCursor::setPos(child.mapToGlobal(QPoint(40, 40)));
    QCoreApplication::processEvents();
    if (QApplication::widgetAt(QCursor::pos()) != &child)
        GTEST_SKIP() << "the window system does not let the test move the mouse";
    SetCursor(hSpin);
    ASSERT_TRUE(wnd.m_applied.has_value());
    EXPECT_EQ(wnd.m_applied->hotSpot(), QPoint(16, 16));

    // Away from any window of ours nothing is shown, and nothing breaks.
    wnd.m_applied.reset();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCursor::setPos(screen.bottomRight() - QPoint(5, 5));
    QCoreApplication::processEvents();
    SetCursor(hSpin);
    EXPECT_FALSE(wnd.m_applied.has_value());
}
