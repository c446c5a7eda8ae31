#include "ImgTestSupport.h"

#include <gtest/gtest.h>

namespace {
TEST(DeviceBitmap, BufferToBitmapAndBack) {
    const Bytes rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const QImage bitmap = img_dib_to_ddb(rgb.data(), 3, 2);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(img_last_error(), IMG_ERR_NONE);
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.size(), QSize(3, 2));
    EXPECT_EQ(bitmap.pixel(2, 1), qRgb(16, 17, 18));
    ImgBuffer back = img_dc_to_dib(&bitmap, 0, 0, 3, 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(Bytes(back.get(), back.get() + rgb.size()), rgb);

    const QImage single = img_dib_to_ddb(rgb.data(), 1, 1);
    EXPECT_EQ(single.pixel(0, 0), qRgb(1, 2, 3));
}

TEST(DeviceBitmap, CaptureOutsideTheDeviceIsBlack) {
    QImage device(4, 4, QImage::Format_RGB32);
    device.fill(qRgb(200, 100, 50));
    ImgBuffer pixels = img_dc_to_dib(&device, 3, -1, 2, 2);
    ASSERT_TRUE(pixels);
    // Only (3, 0) lies on the device: bottom-left of the 2 x 2 capture.
    EXPECT_EQ(Bytes(pixels.get(), pixels.get() + 12),
              (Bytes{0, 0, 0, 0, 0, 0, 200, 100, 50, 0, 0, 0}));
    EXPECT_EQ(img_dc_to_dib(&device, 0, 0, 0, 4), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_dc_to_dib(nullptr, 0, 0, 1, 1), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_dc_to_dib(&device, 0, 0, 1 << 14, 1 << 14), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_NOMEM);
}

TEST(DeviceBitmap, DrawCopiesTheTopLeftPartClipped) {
    QImage device(3, 3, QImage::Format_RGB32);
    device.fill(qRgb(0, 0, 0));
    const Bytes rgb = {10, 10, 10, 20, 20, 20, 30, 30, 30, 40, 40, 40}; // 2 x 2
    EXPECT_EQ(img_draw(&device, rgb.data(), 2, 2, 2, 1, 2, 1), 1);
    EXPECT_EQ(device.pixel(2, 1), qRgb(10, 10, 10));
    EXPECT_EQ(device.pixel(2, 2), qRgb(0, 0, 0)); // only one row was asked for
    EXPECT_EQ(device.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(img_draw(&device, nullptr, 2, 2, 0, 0, 2, 2), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_TRUE(img_dib_to_ddb(rgb.data(), 0, 2).isNull());
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_TRUE(img_dib_to_ddb(rgb.data(), 1 << 14, 1 << 14).isNull());
    EXPECT_EQ(img_last_error(), IMG_ERR_NOMEM);
}

// Rows long enough for the wide conversion, with a tail after it, and drawn
// partly off the device's left and right edges.
TEST(DeviceBitmap, LongRowsConvertEveryPixel) {
    constexpr int width = 75;
    constexpr int height = 3;
    Bytes rgb(width * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const auto expected = [&](int x, int y) {
        const std::uint8_t* p = rgb.data() + (y * width + x) * 3;
        return qRgb(p[0], p[1], p[2]);
    };
    const QImage bitmap = img_dib_to_ddb(rgb.data(), width, height);
    ASSERT_EQ(bitmap.size(), QSize(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(bitmap.pixel(x, y), expected(x, y)) << x << "," << y;
        }
    }
    QImage device(70, 4, QImage::Format_RGB32);
    device.fill(qRgb(1, 1, 1));
    ASSERT_EQ(img_draw(&device, rgb.data(), width, height, -3, 1, width, height), 1);
    for (int y = 0; y < device.height(); ++y) {
        for (int x = 0; x < device.width(); ++x) {
            ASSERT_EQ(device.pixel(x, y), y == 0 ? qRgb(1, 1, 1) : expected(x + 3, y - 1))
                << x << "," << y;
        }
    }
}
} // namespace
