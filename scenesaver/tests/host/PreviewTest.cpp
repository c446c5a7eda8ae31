#include "HostTestSupport.h"

#include "host/NameScrollThread.h"
#include "host/PreviewBitmap.h"
#include "host/PreviewWnd.h"

#include <QCoreApplication>
#include <QElapsedTimer>

TEST(PreviewBitmap, IsNinetySixByOneHundredTwelve) {
    const QImage bitmap = PreviewBitmap();
    EXPECT_EQ(bitmap.size(), QSize(96, 112));
    EXPECT_NE(bitmap.pixel(48, 40), bitmap.pixel(0, 0)); // not blank
}

TEST(NameScroll, BitmapHasOneLinePerCharacter) {
    EnsureApplication();
    const QImage one = CNameScrollThread::MakeNameBitmap("A");
    const QImage five = CNameScrollThread::MakeNameBitmap("Saver");
    EXPECT_EQ(one.width(), five.width());
    const int lineHeight = one.height() - 1;
    EXPECT_GT(lineHeight, 0);
    EXPECT_EQ(five.height(), 5 * lineHeight + 1);
    bool drawn = false;
    for (int y = 0; y < five.height() && !drawn; ++y) {
        for (int x = 0; x < five.width() && !drawn; ++x) {
            drawn = five.pixel(x, y) == qRgb(0xDC, 0xFF, 0xFF);
        }
    }
    EXPECT_TRUE(drawn);
}

using PreviewWindow = HostTest;

TEST_F(PreviewWindow, ShowsBitmapAndScrollsTheNameFromTheBottom) {
    {
        CPreviewWnd preview("Saver");
        ASSERT_TRUE(preview.Create(QSize(152, 112)));
        // Wait until the scroll thread has drawn a few steps.
        QElapsedTimer timer;
        timer.start();
        bool nameSeen = false;
        while (!nameSeen && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            const QImage grab = preview.grab().toImage();
            for (int y = 100; y < 112 && !nameSeen; ++y) {
                for (int x = 97; x < 152 && !nameSeen; ++x) {
                    nameSeen = grab.pixel(x, y) == qRgb(0xDC, 0xFF, 0xFF);
                }
            }
        }
        EXPECT_TRUE(nameSeen);
        const QImage grab = preview.grab().toImage();
        EXPECT_EQ(grab.pixel(140, 2), qRgb(0, 0, 0));
        EXPECT_EQ(grab.pixel(48, 40), PreviewBitmap().pixel(48, 40));
    } // the destructor stops the thread
}
