#include "ImgTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
constexpr std::uint32_t P0 = 0x102030, P1 = 0xA0B0C0, P2 = 0x405060, P3 = 0xD0E0F0;

Bytes Rgb(std::initializer_list<std::uint32_t> colors) {
    Bytes out;
    for (std::uint32_t c : colors) {
        out.push_back(static_cast<std::uint8_t>(c >> 16));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
}

struct PixelCase {
    const char* name;
    BmpLayout layout;
    Bytes expected; // R, G, B, top row first
};

BmpLayout Layout(std::int32_t w, std::int32_t h, std::uint16_t bits, Bytes pixels,
                 std::vector<std::uint32_t> palette = {}, std::uint32_t compression = 0,
                 std::vector<std::uint32_t> masks = {}) {
    BmpLayout s;
    s.width = w;
    s.height = h;
    s.bitCount = bits;
    s.pixels = std::move(pixels);
    s.palette = std::move(palette);
    s.compression = compression;
    s.masks = std::move(masks);
    return s;
}

const std::vector<PixelCase>& PixelCases() {
    static const std::vector<PixelCase> cases = [] {
        std::vector<PixelCase> c;
        // Bottom-up: the first stored row is the bottom one.
        c.push_back({"1bit", Layout(3, 2, 1, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}, {P0, P1}),
                     Rgb({P0, P1, P0, P1, P0, P1})});
        c.push_back(
            {"4bit", Layout(3, 1, 4, {0x12, 0x30, 0, 0}, {P0, P1, P2, P3}), Rgb({P1, P2, P3})});
        c.push_back({"8bit", Layout(2, 1, 8, {2, 0, 0, 0}, {P0, P1, P2}), Rgb({P2, P0})});
        // 5-5-5: each channel is widened with its low three bits set.
        c.push_back({"16bit555", Layout(3, 1, 16, {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0, 0}),
                     Rgb({0x070707, 0xFFFFFF, 0xFF0707})});
        c.push_back({"16bit565",
                     Layout(3, 1, 16, {0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF8, 0, 0}, {}, 3,
                            {0xF800, 0x07E0, 0x001F}),
                     Rgb({0xFFFFFF, 0x070307, 0xFF0307})});
        c.push_back({"zeroMaskGivesZero",
                     Layout(1, 1, 16, {0xFF, 0xFF, 0, 0}, {}, 3, {0, 0x07E0, 0x001F}),
                     Rgb({0x00FFFF})});
        c.push_back({"masksAboveLow16BitsIgnored",
                     Layout(1, 1, 16, {0x00, 0x7C, 0, 0}, {}, 3, {0xFFFF7C00, 0x03E0, 0x001F}),
                     Rgb({0xFF0707})});
        c.push_back({"24bit", Layout(1, 2, 24, {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0}),
                     Rgb({0x665544, 0x332211})});
        c.push_back({"32bit", Layout(1, 1, 32, {0x11, 0x22, 0x33, 0x44}), Rgb({0x332211})});
        // Palette indices past the file's entries show entry 0.
        c.push_back({"indexPastPalette", Layout(2, 1, 8, {1, 9, 0, 0}, {P0, P1}), Rgb({P1, P0})});
        {
            BmpLayout topDown = Layout(1, -2, 24, {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0});
            c.push_back({"topDown", topDown, Rgb({0x332211, 0x665544})});
        }
        {
            // ImageMagick's default V5 header: the palette follows all 124 bytes.
            BmpLayout v5 = Layout(2, 1, 8, {1, 0, 0, 0}, {P0, P1});
            v5.headerSize = 124;
            c.push_back({"v5HeaderPalette", v5, Rgb({P1, P0})});
        }
        {
            BmpLayout v5 = Layout(1, 1, 16, {0x00, 0xF8, 0, 0}, {}, 3, {0xF800, 0x07E0, 0x001F});
            v5.headerSize = 124;
            c.push_back({"v5HeaderMasks", v5, Rgb({0xFF0307})});
        }
        {
            // A 16-bit file with no colour count carries no palette; its
            // rows follow the header directly.
            BmpLayout s = Layout(1, 1, 16, {0xFF, 0x7F, 0, 0});
            s.colorsUsed = 0;
            c.push_back({"16bitNoPaletteRead", s, Rgb({0xFFFFFF})});
        }
        {
            std::vector<std::uint32_t> palette(256, P0);
            palette[5] = P3;
            BmpLayout s = Layout(1, 1, 8, {5, 0, 0, 0}, palette);
            s.colorsUsed = 0xFFFFFFFF; // capped at 256
            c.push_back({"colorsUsedCapped", s, Rgb({P3})});
        }
        {
            // The pixel offset wins over where the palette ends.
            BmpLayout s = Layout(1, 1, 24, {0x11, 0x22, 0x33, 0});
            s.pixelOffset = 80;
            c.push_back({"gapBeforePixels", s, Rgb({0x332211})});
        }
        return c;
    }();
    return cases;
}

class BmpPixels : public testing::TestWithParam<std::size_t> {};

TEST_P(BmpPixels, DecodesToRgb) {
    const PixelCase& c = PixelCases()[GetParam()];
    const Decoded d = DecodeBmpBytes(BuildBmp(c.layout));
    ASSERT_EQ(d.code, IMG_ERR_NONE) << c.name;
    ASSERT_TRUE(d.hasPixels) << c.name;
    EXPECT_EQ(d.width, c.layout.width) << c.name;
    EXPECT_EQ(d.height, std::abs(c.layout.height)) << c.name;
    EXPECT_EQ(d.pixels, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpPixels, testing::Range<std::size_t>(0, PixelCases().size()),
                         [](const auto& info) {
                             return std::string(PixelCases()[info.param].name);
                         });

struct FailureCase {
    const char* name;
    Bytes file;
    int code;
    bool hasPixels;
};

Bytes Bent(BmpLayout layout, void (*bend)(BmpLayout&)) {
    bend(layout);
    return BuildBmp(layout);
}

TEST(BmpRead, RefusesBadFilesWithTheirCodes) {
    const BmpLayout ok = Layout(2, 2, 24, Bytes(16, 0x40));
    Bytes notBm = BuildBmp(ok);
    notBm[0] = 'X';
    Bytes shortHeader = BuildBmp(ok);
    shortHeader.resize(53);
    Bytes farOffset = BuildBmp(ok);
    Bytes shortMasks = BuildBmp(ok);
    shortMasks.resize(54);
    shortMasks[14 + 16] = 3; // bit fields, but the file ends before the masks
    farOffset[10] = 0xFF;
    farOffset[11] = 0xFF;
    const FailureCase cases[] = {
        {"noBM", notBm, IMG_ERR_BADBMP, false},
        {"headerUnder54Bytes", shortHeader, IMG_ERR_READ, false},
        {"coreHeader", Bent(ok, [](BmpLayout& s) { s.headerSize = 12; }), IMG_ERR_BADBMP, false},
        {"zeroWidth", Bent(ok, [](BmpLayout& s) { s.width = 0; }), IMG_ERR_BADBMP, false},
        {"negativeWidth", Bent(ok, [](BmpLayout& s) { s.width = -5; }), IMG_ERR_BADBMP, false},
        {"zeroHeight", Bent(ok, [](BmpLayout& s) { s.height = 0; }), IMG_ERR_BADBMP, false},
        {"bitCount2", Bent(ok, [](BmpLayout& s) { s.bitCount = 2; }), IMG_ERR_BADBMP, false},
        {"compression4", Bent(ok, [](BmpLayout& s) { s.compression = 4; }), IMG_ERR_BADBMP, false},
        {"rle8On24Bits", Bent(ok, [](BmpLayout& s) { s.compression = 1; }), IMG_ERR_BADBMP, false},
        {"pixelOffsetPastEnd", farOffset, IMG_ERR_BADBMP, false},
        {"hugeBoth", Bent(ok, [](BmpLayout& s) { s.width = s.height = INT_MAX; }), IMG_ERR_NOMEM,
         false},
        {"over2to27Pixels", Bent(ok, [](BmpLayout& s) { s.width = s.height = 1 << 14; }),
         IMG_ERR_NOMEM, false},
        {"mostNegativeHeight", Bent(ok, [](BmpLayout& s) { s.height = INT_MIN; }), IMG_ERR_NOMEM,
         false},
        {"shortPalette",
         Bent(Layout(1, 1, 8, {0, 0, 0, 0}, {P0}),
              [](BmpLayout& s) {
                  s.colorsUsed = 200;
                  s.pixelOffset = 58;
              }),
         IMG_ERR_READ, false},
        {"shortMasks", shortMasks, IMG_ERR_READ, false},
    };
    for (const FailureCase& c : cases) {
        const Decoded d = DecodeBmpBytes(c.file);
        EXPECT_EQ(d.code, c.code) << c.name;
        EXPECT_EQ(d.hasPixels, c.hasPixels) << c.name;
        ExpectCheckAgrees(c.file, false, d, c.name);
    }
    ExpectCheckAgrees(BuildBmp(ok), false, DecodeBmpBytes(BuildBmp(ok)), "good");
}

TEST(BmpRead, TruncatedRowsKeepWhatWasDecoded) {
    BmpLayout s = Layout(1, 3, 24, {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0});
    const Decoded d = DecodeBmpBytes(BuildBmp(s)); // three rows declared, two stored
    EXPECT_EQ(d.code, IMG_ERR_READ);
    // The rows are not read before decoding: the check passes.
    ExpectCheckAgrees(BuildBmp(s), false, d, "truncated rows");
    ASSERT_TRUE(d.hasPixels);
    EXPECT_EQ(d.height, 3);
    EXPECT_EQ(d.pixels, Rgb({0x000000, 0x665544, 0x332211}));
}

TEST(BmpRead, BottomUpAndTopDownAgree) {
    Bytes rows;
    for (int i = 0; i < 12 * 4; ++i) {
        rows.push_back(static_cast<std::uint8_t>(i * 7));
    }
    BmpLayout up = Layout(5, 4, 16, rows);
    BmpLayout down = up;
    down.height = -4;
    // Reverse the stored row order for the top-down twin.
    down.pixels.clear();
    for (int r = 3; r >= 0; --r) {
        down.pixels.insert(down.pixels.end(), rows.begin() + r * 12, rows.begin() + r * 12 + 12);
    }
    const Decoded a = DecodeBmpBytes(BuildBmp(up));
    const Decoded b = DecodeBmpBytes(BuildBmp(down));
    ASSERT_EQ(a.code, IMG_ERR_NONE);
    ASSERT_EQ(b.code, IMG_ERR_NONE);
    EXPECT_EQ(a.pixels, b.pixels);
}

TEST(BmpRead, IndexedOutputs) {
    std::uint8_t palette[1024] = {};
    // 8-bit output: indices, and the palette with its missing entries as entry 0.
    const Decoded eight =
        DecodeBmpBytes(BuildBmp(Layout(3, 1, 4, {0x12, 0x30, 0, 0}, {P0, P1, P2, P3})), 8, palette);
    ASSERT_EQ(eight.code, IMG_ERR_NONE);
    EXPECT_EQ(eight.pixels, (Bytes{1, 2, 3}));
    EXPECT_EQ(palette[1 * 4 + 2], 0xA0);
    EXPECT_EQ(palette[200 * 4 + 2], 0x10);
    // 1-bit output: the stored packed rows, top row first.
    const Decoded one = DecodeBmpBytes(
        BuildBmp(Layout(9, 2, 1, {0xAA, 0x80, 0, 0, 0x55, 0x00, 0, 0}, {P0, P1})), 1, palette);
    ASSERT_EQ(one.code, IMG_ERR_NONE);
    EXPECT_EQ(Bytes(one.pixels.begin(), one.pixels.begin() + 4), (Bytes{0x55, 0x00, 0xAA, 0x80}));

    const Decoded tooDeep = DecodeBmpBytes(BuildBmp(Layout(1, 1, 24, Bytes(4, 0))), 8, palette);
    EXPECT_EQ(tooDeep.code, IMG_ERR_DEPTH);
    const Decoded moreThanOneBit =
        DecodeBmpBytes(BuildBmp(Layout(1, 1, 4, Bytes(4, 0), {P0})), 1, palette);
    EXPECT_EQ(moreThanOneBit.code, IMG_ERR_DEPTH);
    EXPECT_EQ(DecodeBmpBytes(BuildBmp(Layout(1, 1, 8, Bytes(4, 0), {P0})), 8, nullptr).code,
              IMG_ERR_ARG);
    EXPECT_EQ(DecodeBmpBytes(BuildBmp(Layout(1, 1, 8, Bytes(4, 0), {P0})), 16, palette).code,
              IMG_ERR_ARG);
}

TEST(BmpRead, RefusesHandlesItDidNotMake) {
    int w = 0;
    int h = 0;
    EXPECT_EQ(img_read_bmp(nullptr, &w, &h, 24, nullptr), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    // Right guards, but not a live handle: refused without being used.
    ImgStream forged;
    forged.headGuard = ImgStream::kHeadGuard;
    forged.tailGuard = ImgStream::kTailGuard;
    forged.kind = ImgStream::kMemory;
    EXPECT_EQ(img_read_bmp(&forged, &w, &h, 24, nullptr), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);
    // A closed handle is dead too.
    const Bytes file = BuildBmp(Layout(1, 1, 24, Bytes(4, 0)));
    ImgStream* stream = img_open_memory(file.data(), file.size());
    img_close_read(stream);
    EXPECT_EQ(img_read_bmp(stream, &w, &h, 24, nullptr), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);
}
} // namespace
