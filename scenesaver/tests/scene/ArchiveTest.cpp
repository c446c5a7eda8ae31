// The stored encodings: string length prefixes, the scramble, fonts.

#include "scene/Archive.h"
#include "scene/Scramble.h"

#include "BlockBytes.h"

#include <gtest/gtest.h>

namespace {

std::string ReadPlain(const BlockBytes& b, bool& ok) {
    CArchive ar(b.bytes);
    std::string text;
    ok = ar.ReadString(text, "text") && ar.Remaining() == 0;
    return text;
}

TEST(ArchiveString, EmptyStringIsOneZeroByte) {
    bool ok = false;
    EXPECT_EQ(ReadPlain(BlockBytes().Byte(0), ok), "");
    EXPECT_TRUE(ok);
}

TEST(ArchiveString, LengthPrefixForms) {
    const std::string text254(254, 'a');
    const std::string text300(300, 'b');
    const std::string text70000(70000, 'c');
    struct Case {
        const char* name;
        BlockBytes bytes;
        std::string expected;
    };
    std::vector<Case> cases;
    {
        BlockBytes b;
        b.Byte(254).bytes.insert(b.bytes.end(), text254.begin(), text254.end());
        cases.push_back({"one byte", b, text254});
    }
    {
        BlockBytes b;
        b.Byte(0xFF).U16(300).bytes.insert(b.bytes.end(), text300.begin(), text300.end());
        cases.push_back({"16-bit", b, text300});
    }
    {
        BlockBytes b;
        b.Byte(0xFF).U16(0xFFFF).U32(70000);
        b.bytes.insert(b.bytes.end(), text70000.begin(), text70000.end());
        cases.push_back({"32-bit", b, text70000});
    }
    {
        BlockBytes b; // 32-bit form for a short text is accepted as well
        b.Byte(0xFF).U16(0xFFFF).U32(2).Raw({'h', 'i'});
        cases.push_back({"32-bit short", b, "hi"});
    }
    {
        BlockBytes b; // 16-bit units: e with acute and the euro sign
        b.Byte(0xFF).U16(0xFFFE).Byte(3).U16('A').U16(0x00E9).U16(0x20AC);
        cases.push_back({"16-bit units", b, "A\xE9\x80"});
    }
    {
        BlockBytes b; // 16-bit units with a 16-bit length
        b.Byte(0xFF).U16(0xFFFE).Byte(0xFF).U16(2).U16('o').U16('k');
        cases.push_back({"16-bit units, long prefix", b, "ok"});
    }
    for (const Case& c : cases) {
        bool ok = false;
        EXPECT_EQ(ReadPlain(c.bytes, ok), c.expected) << c.name;
        EXPECT_TRUE(ok) << c.name;
    }
}

TEST(ArchiveString, BadPrefixesFail) {
    const std::vector<std::pair<const char*, BlockBytes>> cases = {
        {"no bytes", BlockBytes()},
        {"short text", BlockBytes().Byte(5).Raw({'a', 'b'})},
        {"cut 16-bit length", BlockBytes().Byte(0xFF).Byte(1)},
        {"cut 32-bit length", BlockBytes().Byte(0xFF).U16(0xFFFF).Raw({1, 2})},
        {"huge 32-bit length", BlockBytes().Byte(0xFF).U16(0xFFFF).U32(0xFFFFFFF0).Raw({1})},
        {"huge unit count",
         BlockBytes().Byte(0xFF).U16(0xFFFE).Byte(0xFF).U16(0xFFFF).U32(0x80000000)},
        {"odd unit bytes", BlockBytes().Byte(0xFF).U16(0xFFFE).Byte(2).Raw({'a', 0, 'b'})},
        {"second unit marker", BlockBytes().Byte(0xFF).U16(0xFFFE).Byte(0xFF).U16(0xFFFE)},
    };
    for (const auto& [name, bytes] : cases) {
        bool ok = true;
        ReadPlain(bytes, ok);
        EXPECT_FALSE(ok) << name;
    }
}

TEST(ArchiveString, ScrambledStringUsesTheShiftOfItsLength) {
    // 300 characters: 0xFF, 0x2C, 0x01, then every byte lowered by 300 mod 11 + 3 = 6
    BlockBytes b;
    b.Byte(0xFF).U16(300);
    for (int i = 0; i < 300; ++i) {
        b.Byte(static_cast<std::uint8_t>('A' + i % 26 - 6));
    }
    ASSERT_EQ(b.bytes[1], 0x2C);
    ASSERT_EQ(b.bytes[2], 0x01);
    CArchive ar(b.bytes);
    std::string text;
    ASSERT_TRUE(ar.ReadScrambledString(text, "text"));
    ASSERT_EQ(text.size(), 300U);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(text[static_cast<std::size_t>(i)], 'A' + i % 26) << i;
    }
}

TEST(Scramble, ShiftRunsFromThreeToThirteenAndWraps) {
    EXPECT_EQ(ScrambleShift(0), 3);
    EXPECT_EQ(ScrambleShift(10), 13);
    EXPECT_EQ(ScrambleShift(11), 3);
    EXPECT_EQ(ScrambleShift(60), 8);
    std::vector<std::uint8_t> bytes = {0xFE, 0x00, 0x7F}; // shift 6
    Unscramble(bytes);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x04, 0x06, 0x85}));
}

TEST(ArchiveFont, SixtyBytesUnscrambledByEight) {
    std::vector<std::uint8_t> plain(60, 0);
    plain[0] = 0xF4; // lfHeight -12
    plain[1] = plain[2] = plain[3] = 0xFF;
    plain[16] = 0x90; // lfWeight 400
    plain[17] = 0x01;
    plain[20] = 1;  // italic
    plain[27] = 34; // pitch and family
    const char face[] = "Arial";
    std::copy(face, face + 5, plain.begin() + 28);
    BlockBytes b;
    for (std::uint8_t byte : plain) {
        b.Byte(static_cast<std::uint8_t>(byte - 8));
    }
    CArchive ar(b.bytes);
    LOGFONTA font;
    ASSERT_TRUE(ar.ReadScrambledFont(font, "font"));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfPitchAndFamily, 34);
    EXPECT_EQ(FaceName(font), "Arial");
    const auto encoded = EncodeLogFont(font);
    EXPECT_TRUE(std::equal(encoded.begin(), encoded.end(), plain.begin()));
}

TEST(ArchiveFont, EncodeDecodeKeepsEveryField) {
    LOGFONTA font = DefaultPictureFont();
    font.lfWidth = 7;
    font.lfEscapement = -900;
    font.lfOrientation = 450;
    font.lfUnderline = 1;
    font.lfStrikeOut = 1;
    font.lfCharSet = 238;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 5;
    EXPECT_EQ(DecodeLogFont(EncodeLogFont(font)), font);
    EXPECT_EQ(FaceName(DefaultPictureFont()), "MS Sans Serif");
    EXPECT_EQ(DefaultPictureFont().lfHeight, -11);
}

TEST(Archive, FirstFailureIsKeptWithItsContext) {
    BlockBytes b;
    b.U32(1).Raw({1, 2});
    CArchive ar(b.bytes);
    ar.SetContext("item 3 (kind 4)");
    std::uint32_t value = 0;
    ASSERT_TRUE(ar.ReadU32(value, "first"));
    EXPECT_FALSE(ar.ReadU32(value, "milliseconds"));
    EXPECT_FALSE(ar.ReadU32(value, "later"));
    EXPECT_EQ(ar.Error(),
              "item 3 (kind 4): milliseconds needs 4 bytes at offset 4 but only 2 remain");
}

} // namespace
