// The first-frame scan: which offsets it looks at, what it skips, and what
// it reads from a header word.

#include "media/MP3Header.h"
#include "MediaTestSupport.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::uint8_t> Behind(std::size_t junk, const std::vector<std::uint8_t>& frames) {
    std::vector<std::uint8_t> block(junk, 0x00);
    block.insert(block.end(), frames.begin(), frames.end());
    return block;
}
} // namespace

TEST(MP3HeaderScan, FindsTheFirstFrameWhereItIsAndNowhereBeyondTheScan) {
    const auto tone = MediaFixture("tone-44100-stereo.mp3");
    const auto tagged = MediaFixture("tagged-44100-stereo.mp3");
    const std::size_t tagSize = ID3v2TagSize(tagged.data(), tagged.size());
    ASSERT_GT(tagSize, 300u) << "the fixture's tag holds a 300-byte comment";

    struct Case {
        const char* what;
        std::vector<std::uint8_t> block;
        std::optional<std::size_t> offset;
    };
    const Case cases[] = {
        {"a frame at offset 0", tone, 0},
        {"behind an ID3v2 tag", tagged, tagSize},
        {"behind junk", Behind(5000, tone), 5000},
        {"at the last offset scanned", Behind(kHeaderScanLength - 1, tone), kHeaderScanLength - 1},
        {"none within 10240 bytes", Behind(kHeaderScanLength, tone), std::nullopt},
        {"behind a tag and the whole scan",
         [&] {
             auto block = std::vector<std::uint8_t>(tagged.begin(),
                                                    tagged.begin() + static_cast<long>(tagSize));
             auto rest = Behind(kHeaderScanLength, tone);
             block.insert(block.end(), rest.begin(), rest.end());
             return block;
         }(),
         std::nullopt},
        {"three bytes of a header at the end", {0xFF, 0xFB, 0x90}, std::nullopt},
        {"an empty block", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto header = ScanFirstFrameHeader(c.block.data(), c.block.size());
        ASSERT_EQ(header.has_value(), c.offset.has_value()) << c.what;
        if (header) {
            EXPECT_EQ(header->offset, *c.offset) << c.what;
            EXPECT_EQ(header->sampleRate, 44100) << c.what;
            EXPECT_EQ(header->layer, 3) << c.what;
            EXPECT_EQ(header->bitRate, 128) << c.what;
        }
    }
}

TEST(MP3HeaderScan, ReadsHeaderWordsAndRejectsReservedFields) {
    struct Case {
        std::uint32_t word;
        bool valid;
        double version;
        int layer, bitRate, sampleRate, channelMode;
    };
    const Case cases[] = {
        {0xFFFB9064, true, 1.0, 3, 128, 44100, 1}, // MPEG 1 layer 3, joint stereo
        {0xFFFBE4C4, true, 1.0, 3, 320, 48000, 3}, // 320 kbit/s, 48 kHz, mono
        {0xFFFD2800, true, 1.0, 2, 48, 32000, 0},  // layer 2, 32 kHz
        {0xFFFF1000, true, 1.0, 1, 32, 44100, 0},  // layer 1
        {0xFFF38080, true, 2.0, 3, 64, 22050, 2},  // MPEG 2, dual channel
        {0xFFE314C0, true, 2.5, 3, 8, 12000, 3},   // MPEG 2.5
        {0xFFF7E400, true, 2.0, 1, 256, 24000, 0}, // MPEG 2 layer 1
        {0xFFEB9064, false, 0, 0, 0, 0, 0},        // reserved version
        {0xFFF99064, false, 0, 0, 0, 0, 0},        // reserved layer
        {0xFFFB0064, false, 0, 0, 0, 0, 0},        // free bit rate
        {0xFFFBF064, false, 0, 0, 0, 0, 0},        // bad bit rate
        {0xFFFB9C64, false, 0, 0, 0, 0, 0},        // reserved sample rate
        {0xFFFB9066, false, 0, 0, 0, 0, 0},        // reserved emphasis
        {0xFFDB9064, false, 0, 0, 0, 0, 0},        // one sync bit missing
    };
    for (const Case& c : cases) {
        const auto header = ParseFrameHeader(c.word);
        ASSERT_EQ(header.has_value(), c.valid) << std::hex << c.word;
        if (header) {
            EXPECT_EQ(header->version, c.version) << std::hex << c.word;
            EXPECT_EQ(header->layer, c.layer) << std::hex << c.word;
            EXPECT_EQ(header->bitRate, c.bitRate) << std::hex << c.word;
            EXPECT_EQ(header->sampleRate, c.sampleRate) << std::hex << c.word;
            EXPECT_EQ(header->channelMode, c.channelMode) << std::hex << c.word;
        }
    }
}

TEST(MP3HeaderScan, TagSizesAreSyncSafeAndCountTheFooter) {
    const std::uint8_t plain[] = {'I', 'D', '3', 3, 0, 0x00, 0, 0, 0x02, 0x01};
    const std::uint8_t footer[] = {'I', 'D', '3', 4, 0, 0x10, 0, 0, 0x00, 0x7F};
    const std::uint8_t unsafe[] = {'I', 'D', '3', 3, 0, 0x00, 0, 0, 0x80, 0x00};
    const std::uint8_t shortTag[] = {'I', 'D', '3', 3, 0};
    EXPECT_EQ(ID3v2TagSize(plain, sizeof plain), 10u + 257u);
    EXPECT_EQ(ID3v2TagSize(footer, sizeof footer), 10u + 127u + 10u);
    EXPECT_EQ(ID3v2TagSize(unsafe, sizeof unsafe), 0u);
    EXPECT_EQ(ID3v2TagSize(shortTag, sizeof shortTag), 0u);
}

TEST(MP3HeaderScan, PlaybackRatesHalveOnlyTheThreeHighRates) {
    const std::pair<int, int> cases[] = {{8000, 8000},   {11025, 11025}, {12000, 12000},
                                         {16000, 16000}, {22050, 22050}, {24000, 24000},
                                         {32000, 16000}, {44100, 22050}, {48000, 24000}};
    for (const auto& [source, played] : cases) {
        EXPECT_EQ(PlaybackRate(source), played) << source;
    }
}
