#include "JpegTestSupport.h"

#include <gtest/gtest.h>

namespace {
TEST(JpegRead, ColourGreyAndProgressiveMatchLibjpeg) {
    struct Case {
        const char* name;
        int components;
        J_COLOR_SPACE space;
        bool progressive;
    };
    const Case cases[] = {
        {"baseline", 3, JCS_RGB, false},
        {"progressive", 3, JCS_RGB, true},
        {"grey", 1, JCS_GRAYSCALE, false},
    };
    for (const Case& c : cases) {
        JpegEncodeOptions o;
        o.components = c.components;
        o.inSpace = c.space;
        o.progressive = c.progressive;
        const Bytes file = EncodeJpeg(37, 21, Gradient(37, 21, c.components), o);
        int components = 0;
        const Bytes reference = LibjpegSamples(file, components);
        const Decoded d = DecodeJpegBytes(file);
        ASSERT_EQ(d.code, IMG_ERR_NONE) << c.name;
        ASSERT_EQ(d.width, 37);
        ASSERT_EQ(d.height, 21);
        Bytes expected;
        for (std::size_t i = 0; i < reference.size(); i += components) {
            for (int k = 0; k < 3; ++k) {
                expected.push_back(reference[i + (components == 1 ? 0 : k)]);
            }
        }
        EXPECT_EQ(d.pixels, expected) << c.name;
    }
}

TEST(JpegRead, CmykWithAndWithoutAdobeMarkerUsesTheKRule) {
    Bytes cmyk;
    for (int i = 0; i < 16 * 16; ++i) {
        cmyk.insert(cmyk.end(), {200, 100, static_cast<std::uint8_t>(i), 180});
    }
    for (bool adobe : {true, false}) {
        JpegEncodeOptions o;
        o.components = 4;
        o.inSpace = JCS_CMYK;
        o.fileSpace = JCS_CMYK;
        o.adobeMarker = adobe;
        const Bytes file = EncodeJpeg(16, 16, cmyk, o);
        int components = 0;
        const Bytes delivered = LibjpegSamples(file, components);
        ASSERT_EQ(components, 4);
        const Decoded d = DecodeJpegBytes(file);
        ASSERT_EQ(d.code, IMG_ERR_NONE) << adobe;
        for (std::size_t p = 0; p < 16 * 16; ++p) {
            const unsigned k = delivered[p * 4 + 3];
            for (int ch = 0; ch < 3; ++ch) {
                ASSERT_EQ(d.pixels[p * 3 + ch], delivered[p * 4 + ch] * k / 255) << p;
            }
        }
        // Four components have no grey form: a zero picture with the code,
        // kept even though the decode then stops early.
        const Decoded grey = DecodeJpegBytes(file, 8);
        EXPECT_EQ(grey.code, IMG_ERR_DEPTH);
        ASSERT_TRUE(grey.hasPixels);
        EXPECT_EQ(grey.pixels, Bytes(16 * 16, 0));
    }
}

TEST(JpegRead, EightBitGreyWeightsTheChannels) {
    const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 90, 180, 30};
    JpegEncodeOptions o;
    o.quality = 100;
    o.fileSpace = JCS_RGB; // stored as RGB, so the decoded values are exact
    const Bytes file = EncodeJpeg(4, 1, rgb, o);
    const Decoded colour = DecodeJpegBytes(file, 24);
    const Decoded grey = DecodeJpegBytes(file, 8);
    ASSERT_EQ(grey.code, IMG_ERR_NONE);
    ASSERT_EQ(grey.pixels.size(), 4u);
    for (int p = 0; p < 4; ++p) {
        const std::uint8_t* c = &colour.pixels[p * 3];
        EXPECT_EQ(grey.pixels[p], static_cast<int>(c[0] * 0.299 + c[2] * 0.114 + c[1] * 0.587));
    }
    EXPECT_EQ(Bytes(grey.pixels.begin(), grey.pixels.begin() + 3), (Bytes{76, 149, 29}));

    // Grey files come out straight.
    JpegEncodeOptions g;
    g.components = 1;
    g.inSpace = JCS_GRAYSCALE;
    const Bytes greyFile = EncodeJpeg(8, 8, Gradient(8, 8, 1), g);
    int components = 0;
    EXPECT_EQ(DecodeJpegBytes(greyFile, 8).pixels, LibjpegSamples(greyFile, components));
}

TEST(JpegRead, DamagedFiles) {
    const Bytes good = EncodeJpeg(64, 48, Gradient(64, 48, 3));
    const Decoded whole = DecodeJpegBytes(good);
    ASSERT_EQ(whole.code, IMG_ERR_NONE);

    // Data that ends inside the scan: full size, no error, top rows intact.
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() * 2 / 3));
    const Decoded truncated = DecodeJpegBytes(cut);
    EXPECT_EQ(truncated.code, IMG_ERR_NONE);
    ASSERT_TRUE(truncated.hasPixels);
    EXPECT_EQ(truncated.height, 48);
    EXPECT_TRUE(std::equal(whole.pixels.begin(), whole.pixels.begin() + 64 * 3 * 8,
                           truncated.pixels.begin()));

    EXPECT_EQ(DecodeJpegBytes({}).code, IMG_ERR_JPEGHDR);
    EXPECT_FALSE(DecodeJpegBytes({}).hasPixels);
    EXPECT_EQ(DecodeJpegBytes({0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}).code, IMG_ERR_JPEGHDR);

    // A second frame header after the scan fails only when finishing: the
    // picture is all there, with the read error.
    Bytes extraFrame(good.begin(), good.end() - 2);
    const std::size_t sof = [&] {
        for (std::size_t i = 0; i + 1 < good.size(); ++i) {
            if (good[i] == 0xFF && good[i + 1] == 0xC0) {
                return i;
            }
        }
        return std::size_t{0};
    }();
    ASSERT_NE(sof, 0u);
    const std::size_t sofLength = (good[sof + 2] << 8 | good[sof + 3]) + 2;
    extraFrame.insert(extraFrame.end(), good.begin() + sof, good.begin() + sof + sofLength);
    extraFrame.insert(extraFrame.end(), {0xFF, 0xD9});
    const Decoded late = DecodeJpegBytes(extraFrame);
    EXPECT_EQ(late.code, IMG_ERR_READ);
    ASSERT_TRUE(late.hasPixels);
    EXPECT_EQ(late.pixels, whole.pixels);

    // A frame claiming 65000 x 65000 pixels is refused before decoding.
    Bytes huge = good;
    huge[sof + 5] = huge[sof + 7] = 0xFD;
    huge[sof + 6] = huge[sof + 8] = 0xE8;
    EXPECT_EQ(DecodeJpegBytes(huge).code, IMG_ERR_NOMEM);

    // The check before decoding refuses exactly these and passes the rest,
    // whose trouble lies in the rows.
    JpegEncodeOptions progressive;
    progressive.progressive = true;
    const Bytes layered = EncodeJpeg(64, 48, Gradient(64, 48, 3), progressive);
    const Bytes headerOnly(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(sof));
    for (const auto& [name, file] : {std::pair{"good", good},
                                     {"progressive", layered},
                                     {"truncated", cut},
                                     {"empty", Bytes{}},
                                     {"no frame", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}},
                                     {"ends before the frame", headerOnly},
                                     {"second frame", extraFrame},
                                     {"huge", huge}}) {
        ExpectCheckAgrees(file, true, DecodeJpegBytes(file), name);
    }
}

TEST(JpegRead, TwoComponentsAreRefused) {
    JpegEncodeOptions o;
    o.components = 2;
    o.inSpace = JCS_UNKNOWN;
    const Bytes file = EncodeJpeg(8, 8, Gradient(8, 8, 2), o);
    const Decoded d = DecodeJpegBytes(file);
    EXPECT_EQ(d.code, IMG_ERR_DEPTH);
    EXPECT_FALSE(d.hasPixels);
    ExpectCheckAgrees(file, true, d, "two components");
}

TEST(JpegRead, ArgumentsAndHandles) {
    const Bytes file = EncodeJpeg(8, 8, Gradient(8, 8, 3));
    int w = 0;
    int h = 0;
    EXPECT_EQ(img_read_jpeg(nullptr, &w, &h, 24), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    ImgStream* stream = img_open_memory(file.data(), file.size());
    EXPECT_EQ(img_read_jpeg(stream, &w, &h, 16), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    img_close_read(stream);
    ImgStream forged;
    forged.headGuard = ImgStream::kHeadGuard;
    forged.tailGuard = ImgStream::kTailGuard;
    forged.kind = ImgStream::kFile;
    EXPECT_EQ(img_read_jpeg(&forged, &w, &h, 24), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);
}
} // namespace
