// Regions, brushes, device contexts over a painter and the system colour.

#include "platform/Gdi.h"
#include "platform/testing/Testing.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRegion>

#include <gtest/gtest.h>

TEST(Gdi, RegionDifferenceIsFilledAndNothingElse)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        CDC dc(&painter);
        CRgn background;
        const CRect client(0, 0, 40, 30);
        ASSERT_TRUE(background.CreateRectRgnIndirect(&client));
        CRgn hole;
        hole.CreateRectRgn(10, 5, 20, 15);
        EXPECT_EQ(background.CombineRgn(&background, &hole, RGN_DIFF), COMPLEXREGION);
        CBrush brush(RGB(10, 200, 30));
        EXPECT_TRUE(dc.FillRgn(&background, &brush));
        EXPECT_FALSE(background.PtInRegion(CPoint(15, 10)));
        EXPECT_TRUE(background.PtInRegion(CPoint(25, 10)));
    }
    struct Probe
    {
        int x, y;
        QRgb expected;
    } probes[] = {
        {0, 0, qRgb(10, 200, 30)},   {39, 29, qRgb(10, 200, 30)}, {9, 5, qRgb(10, 200, 30)},
        {10, 5, qRgb(0, 0, 0)},      {19, 14, qRgb(0, 0, 0)},     {20, 14, qRgb(10, 200, 30)},
        {19, 15, qRgb(10, 200, 30)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(image.pixel(p.x, p.y), p.expected) << p.x << "," << p.y;
}

TEST(Gdi, RegionDifferenceKindsAndErrors)
{
    CRgn a;
    CRgn b;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    CRgn r;
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(r.PtInRegion(CPoint(2, 2)));
    EXPECT_FALSE(r.PtInRegion(CPoint(7, 7)));
    EXPECT_FALSE(r.PtInRegion(CPoint(12, 12)));
    CRgn right;
    right.CreateRectRgn(5, 0, 10, 10);
    EXPECT_EQ(r.CombineRgn(&a, &right, RGN_DIFF), SIMPLEREGION);
    CRgn empty;
    EXPECT_EQ(empty.CombineRgn(&a, &a, RGN_DIFF), NULLREGION);
    CRgn never;
    EXPECT_EQ(empty.CombineRgn(&never, &a, RGN_DIFF), RGN_ERROR);
    EXPECT_EQ(empty.CombineRgn(&a, &never, RGN_DIFF), RGN_ERROR);
    EXPECT_EQ(empty.CombineRgn(&a, &b, 99), RGN_ERROR);
    // An inverted rectangle is an empty region.
    CRgn inverted;
    inverted.CreateRectRgn(10, 10, 0, 0);
    EXPECT_TRUE(RegionOf(inverted).isEmpty());
}

TEST(Gdi, HandlesSystemColourAndMetrics)
{
    CDC dc;
    EXPECT_EQ(CDC::FromHandle(dc.GetSafeHdc()), &dc);
    HDC stale = nullptr;
    {
        CDC gone;
        stale = gone.GetSafeHdc();
    }
    EXPECT_EQ(CDC::FromHandle(stale), nullptr);
    // A context without a painter draws nothing and does not fail.
    CRgn r;
    r.CreateRectRgn(0, 0, 5, 5);
    CBrush brush(RGB(1, 2, 3));
    EXPECT_TRUE(dc.FillRgn(&r, &brush));
    brush.DeleteObject();
    EXPECT_FALSE(dc.FillRgn(&r, &brush));

    const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Window);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE),
              RGB(BYTE(face.red()), BYTE(face.green()), BYTE(face.blue())));
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
    EXPECT_FALSE(dc.DrawIcon(0, 0, nullptr));
}
