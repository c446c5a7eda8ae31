// Block transfers stay inside both images whatever the rectangles ask for.

#include "platform/Drawing.h"
#include "platform/DeviceContext.h"
#include "platform/ScreenBuffer.h"

#include <gtest/gtest.h>

namespace {

const QRgb PAPER = qRgb(1, 1, 1);

// A source whose pixel (x, y) encodes its own position.
QImage Numbered(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(x + 10, y + 10, 200));
        }
    }
    return image;
}

TEST(Drawing, CopiesAreClippedToSourceAndTarget) {
    struct Case {
        const char* name;
        QPoint dest;
        QRect from;
        QPoint firstTarget; // where source pixel firstSource lands
        QPoint firstSource;
        int copied; // pixels changed
    };
    const Case cases[] = {
        {"inside", {2, 3}, {1, 1, 4, 4}, {2, 3}, {1, 1}, 16},
        {"left of the target", {-3, 0}, {0, 0, 5, 2}, {0, 0}, {3, 0}, 4},
        {"past the target's corner", {18, 8}, {0, 0, 5, 5}, {18, 8}, {0, 0}, 4},
        {"source rectangle before the source", {0, 0}, {-2, -1, 4, 3}, {2, 1}, {0, 0}, 4},
        {"source rectangle past the source", {5, 5}, {6, 6, 10, 10}, {5, 5}, {6, 6}, 4},
        {"entirely outside", {30, 30}, {0, 0, 5, 5}, {0, 0}, {0, 0}, 0},
        {"empty", {0, 0}, {0, 0, 0, 0}, {0, 0}, {0, 0}, 0},
    };
    const QImage source = Numbered(QSize(8, 8));
    for (const Case& c : cases) {
        QImage target = MakeBitmap(QSize(20, 10), PAPER);
        CopyImageRect(target, c.dest, source, c.from);
        int changed = 0;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 20; ++x) {
                changed += target.pixel(x, y) != PAPER ? 1 : 0;
            }
        }
        EXPECT_EQ(changed, c.copied) << c.name;
        if (c.copied > 0) {
            EXPECT_EQ(target.pixel(c.firstTarget), source.pixel(c.firstSource)) << c.name;
        }
    }
}

// Copies within one image, in every direction, read each pixel before it is
// overwritten.
TEST(Drawing, OverlappingCopyWithinOneImageKeepsItsPixels) {
    struct Case {
        QPoint dest;
        QRect from;
    };
    const Case cases[] = {
        {{1, 2}, {0, 0, 5, 4}}, // down and right
        {{0, 0}, {1, 2, 5, 4}}, // up and left
        {{2, 0}, {0, 0, 4, 6}}, // right along the same rows
        {{0, 1}, {0, 0, 6, 5}}, // down by one row
    };
    for (const Case& c : cases) {
        QImage image = Numbered(QSize(6, 6));
        const QImage before = image.copy();
        CopyImageRect(image, c.dest, image, c.from);
        for (int y = 0; y < c.from.height(); ++y) {
            for (int x = 0; x < c.from.width(); ++x) {
                ASSERT_EQ(image.pixel(c.dest + QPoint(x, y)),
                          before.pixel(c.from.topLeft() + QPoint(x, y)))
                    << "to " << c.dest.x() << "," << c.dest.y() << " at " << x << "," << y;
            }
        }
    }
}

// Every colour byte at every level is v * level / 256 truncated, on rows long
// enough for the wide path and with a tail after it; the edges clip.
TEST(Drawing, DimmedDrawingScalesEveryByteExactly) {
    QImage source(67, 4, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int v = (y * source.width() + x) * 3;
            source.setPixel(x, y, qRgb(v % 256, (v + 1) % 256, (v + 2) % 256));
        }
    }
    for (const int level : {0, 1, 2, 127, 128, 200, 255, 256}) {
        QImage target = MakeBitmap(QSize(80, 6), PAPER);
        DrawImageDimmed(target, QPoint(5, 1), source, level);
        for (int y = 0; y < target.height(); ++y) {
            for (int x = 0; x < target.width(); ++x) {
                const QPoint at(x, y);
                const QPoint from = at - QPoint(5, 1);
                if (!source.rect().contains(from)) {
                    ASSERT_EQ(target.pixel(at), PAPER) << x << "," << y;
                    continue;
                }
                const QRgb p = source.pixel(from);
                ASSERT_EQ(target.pixel(at), qRgb(qRed(p) * level / 256, qGreen(p) * level / 256,
                                                 qBlue(p) * level / 256))
                    << "level " << level << " at " << x << "," << y;
            }
        }
    }
    QImage small = MakeBitmap(QSize(4, 3), PAPER);
    DrawImageDimmed(small, QPoint(-60, -2), source, 128);
    EXPECT_EQ(small.pixel(0, 0),
              qRgb(qRed(source.pixel(60, 2)) / 2, qGreen(source.pixel(60, 2)) / 2,
                   qBlue(source.pixel(60, 2)) / 2));
    EXPECT_EQ(small.pixel(3, 1),
              qRgb(qRed(source.pixel(63, 3)) / 2, qGreen(source.pixel(63, 3)) / 2,
                   qBlue(source.pixel(63, 3)) / 2));
    EXPECT_EQ(small.pixel(0, 2), PAPER);
}

TEST(Drawing, StretchTransparencyAndEmptySizes) {
    QImage target = MakeBitmap(QSize(10, 10), PAPER);
    StretchImage(target, QRect(0, 0, 10, 10), QImage());
    StretchImage(target, QRect(0, 0, 0, 5), Numbered(QSize(2, 2)));
    EXPECT_EQ(target, MakeBitmap(QSize(10, 10), PAPER)) << "nothing to scale draws nothing";
    StretchImage(target, QRect(-5, 0, 20, 10), Numbered(QSize(2, 2)));
    EXPECT_EQ(target.pixel(4, 4), qRgb(10, 10, 200));
    EXPECT_EQ(target.pixel(5, 5), qRgb(11, 11, 200));

    QImage text = MakeBitmap(QSize(3, 1), qRgb(255, 255, 255));
    text.setPixel(1, 0, qRgb(9, 0, 0));
    QImage screen = MakeBitmap(QSize(4, 2), PAPER);
    DrawImageTransparent(screen, QPoint(2, 1), text, qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(3, 1), qRgb(9, 0, 0));
    EXPECT_EQ(screen.pixel(2, 1), PAPER);
    EXPECT_TRUE(MakeBitmap(QSize(0, 3), PAPER).isNull());
}

TEST(Drawing, ScreenContextMarksWhatItChanged) {
    CScreenBuffer screen;
    screen.Resize(QSize(50, 40), PAPER);
    screen.TakeDirty();
    CDC dc(screen);
    EXPECT_EQ(dc.ScreenSize(), QSize(50, 40));
    dc.FillSolidRect(QRect(45, 35, 10, 10), qRgb(5, 5, 5));
    EXPECT_EQ(screen.TakeDirty(), QRect(45, 35, 5, 5));
    dc.BitBlt(QPoint(-2, -2), Numbered(QSize(4, 4)), QRect(0, 0, 4, 4));
    EXPECT_EQ(screen.TakeDirty(), QRect(0, 0, 2, 2));
    EXPECT_EQ(dc.Copy(QRect(-1, 0, 2, 1)).pixel(0, 0), qRgb(0, 0, 0)) << "off the device is black";
    EXPECT_EQ(dc.Copy(QRect(-1, 0, 2, 1)).pixel(1, 0), qRgb(12, 12, 200));
}

TEST(Drawing, ThickLinesHaveRoundEnds) {
    const QRgb ink = qRgb(200, 0, 0);
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(PAPER);
    DrawImageLine(image, {20, 20}, {40, 20}, 0, 9, ink);
    // Past each end along the line, within half the width: ink.
    EXPECT_EQ(image.pixel(17, 20), ink);
    EXPECT_EQ(image.pixel(43, 20), ink);
    // Off the corners a flat or square end would have: paper.
    for (const QPoint corner : {QPoint(16, 16), QPoint(16, 24), QPoint(44, 16), QPoint(44, 24)}) {
        EXPECT_EQ(image.pixel(corner), PAPER) << corner.x() << "," << corner.y();
    }
    // Along the side, the full width.
    EXPECT_EQ(image.pixel(30, 16), ink);
    EXPECT_EQ(image.pixel(30, 24), ink);
    EXPECT_EQ(image.pixel(30, 26), PAPER);

    // Two segments that meet at an angle leave no notch at the outer corner:
    // the corner point's whole disc is inked.
    image.fill(PAPER);
    DrawImageLine(image, {10, 30}, {30, 10}, 0, 7, ink);
    DrawImageLine(image, {30, 10}, {50, 30}, 0, 7, ink);
    EXPECT_EQ(image.pixel(30, 7), ink);

    // One-pixel lines still leave out their end point.
    image.fill(PAPER);
    DrawImageLine(image, {5, 5}, {15, 5}, 0, 1, ink);
    EXPECT_EQ(image.pixel(14, 5), ink);
    EXPECT_EQ(image.pixel(15, 5), PAPER);
    EXPECT_EQ(image.pixel(4, 5), PAPER);
}

} // namespace
