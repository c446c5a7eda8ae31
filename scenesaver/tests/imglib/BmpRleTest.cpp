#include "ImgTestSupport.h"

#include <gtest/gtest.h>

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

BmpLayout Rle(std::int32_t w, std::int32_t h, bool rle4, Bytes data,
              std::vector<std::uint32_t> palette = {P0, P1, P2, P3}) {
    BmpLayout s;
    s.width = w;
    s.height = h;
    s.bitCount = rle4 ? 4 : 8;
    s.compression = rle4 ? 2 : 1;
    s.palette = std::move(palette);
    s.pixels = std::move(data);
    return s;
}

struct RleCase {
    const char* name;
    BmpLayout layout;
    int code;
    Bytes expected; // R, G, B, top row first
};

TEST(BmpRle, DecodesEscapesRunsAndDeltas) {
    const RleCase cases[] = {
        // Run of 2, odd absolute run of 3 (one pad byte, third pixel clipped
        // at the right edge), end of line, delta right by 1, run, end.
        {"rle8Mixed", Rle(4, 2, false, {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1}),
         IMG_ERR_NONE, Rgb({P0, P3, P0, P0, P1, P1, P2, P3})},
        // A run longer than the row is clipped; the rest of the row stays.
        {"rle8RunClipped", Rle(2, 1, false, {9, 2, 0, 1}), IMG_ERR_NONE, Rgb({P2, P2})},
        // A delta above the top row drops everything after it.
        {"rle8DeltaAboveTop", Rle(2, 2, false, {1, 1, 0, 2, 0, 5, 2, 3, 0, 1}), IMG_ERR_NONE,
         Rgb({P0, P0, P1, P0})},
        // A delta far to the right drops the rest of the row.
        {"rle8DeltaPastRight", Rle(2, 1, false, {0, 2, 200, 0, 2, 3, 0, 1}), IMG_ERR_NONE,
         Rgb({P0, P0})},
        // Runs alternate nibbles; an odd absolute run of 3 nibbles uses two
        // bytes, one of 5 uses three and a pad; both keep the stream aligned.
        {"rle4Runs",
         Rle(11, 1, true, {3, 0x12, 0, 3, 0x34, 0x50, 0, 5, 0x67, 0x89, 0xA0, 0, 0, 1},
             {P0, P1, P2, P3, 0x040404, 0x050505, 0x060606, 0x070707, 0x080808, 0x090909,
              0x0A0A0A}),
         IMG_ERR_NONE,
         Rgb({P1, P2, P1, P3, 0x040404, 0x050505, 0x060606, 0x070707, 0x080808, 0x090909,
              0x0A0A0A})},
        // No end-of-bitmap: what was decoded stays, the rest is entry 0.
        {"rle8Truncated", Rle(2, 2, false, {2, 3}), IMG_ERR_READ, Rgb({P0, P0, P3, P3})},
        // Truncated inside the pad byte of an absolute run.
        {"rle8TruncatedPad", Rle(3, 1, false, {0, 3, 1, 2, 3}), IMG_ERR_READ, Rgb({P1, P2, P3})},
    };
    for (const RleCase& c : cases) {
        const Decoded d = DecodeBmpBytes(BuildBmp(c.layout));
        EXPECT_EQ(d.code, c.code) << c.name;
        ASSERT_TRUE(d.hasPixels) << c.name;
        EXPECT_EQ(d.pixels, c.expected) << c.name;
    }
}

TEST(BmpRle, EightBitOutputGivesIndices) {
    std::uint8_t palette[1024] = {};
    const Decoded d = DecodeBmpBytes(BuildBmp(Rle(3, 1, false, {1, 2, 2, 3, 0, 1})), 8, palette);
    ASSERT_EQ(d.code, IMG_ERR_NONE);
    EXPECT_EQ(d.pixels, (Bytes{2, 3, 3}));
    EXPECT_EQ(palette[3 * 4 + 0], 0xF0);
}

TEST(BmpRle, RefusesWhatCannotBeDecoded) {
    // Run-length bitmaps are stored bottom-up only.
    const Bytes topDown = BuildBmp(Rle(2, -2, false, {0, 1}));
    EXPECT_EQ(DecodeBmpBytes(topDown).code, IMG_ERR_NOMEM);
    // Pixel data said to start inside the palette.
    BmpLayout overlap = Rle(2, 1, false, {0, 1});
    overlap.pixelOffset = 60;
    EXPECT_EQ(DecodeBmpBytes(BuildBmp(overlap)).code, IMG_ERR_BADBMP);
    // RLE4 marked on an 8-bit file.
    BmpLayout mismatch = Rle(2, 1, true, {0, 1});
    mismatch.bitCount = 8;
    EXPECT_EQ(DecodeBmpBytes(BuildBmp(mismatch)).code, IMG_ERR_BADBMP);
    // A hostile size is refused before any pixel memory is taken.
    const Bytes huge = BuildBmp(Rle(1 << 16, 1 << 16, false, {0, 1}));
    EXPECT_EQ(DecodeBmpBytes(huge).code, IMG_ERR_NOMEM);

    // The check before decoding refuses the same, and passes a good one
    // even when its runs end early.
    const Bytes good = BuildBmp(Rle(2, 1, false, {2, 1, 0, 1}));
    const Bytes cut = BuildBmp(Rle(4, 4, false, {2, 1}));
    for (const auto& [name, file] : {std::pair{"top-down", topDown},
                                     {"inside the palette", BuildBmp(overlap)},
                                     {"mismatch", BuildBmp(mismatch)},
                                     {"huge", huge},
                                     {"good", good},
                                     {"runs end early", cut}}) {
        ExpectCheckAgrees(file, false, DecodeBmpBytes(file), name);
    }
}
} // namespace
