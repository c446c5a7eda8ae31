#include "ImgTestSupport.h"

#include <gtest/gtest.h>

namespace {
Bytes Header(std::initializer_list<std::uint8_t> start, std::size_t size = 44) {
    Bytes h(start);
    h.resize(size, 0x55);
    return h;
}

int DetectBytes(const Bytes& bytes) {
    ImgStream* stream = img_open_memory(bytes.data(), bytes.size());
    const int id = img_detect_format(stream);
    img_close_read(stream);
    return id;
}

TEST(Detect, SignatureTableInOrder) {
    Bytes emf = Header({0x01, 0x00, 0x00, 0x00});
    emf[40] = 0x20;
    emf[41] = 0x45;
    emf[42] = 0x4D;
    emf[43] = 0x46;
    const struct {
        Bytes header;
        int id;
    } cases[] = {
        {Header({'B', 'M'}), IMG_FMT_BMP},
        {Header({'P', 'A', 'X'}), IMG_FMT_PAX},
        {Header({'G', 'I', 'F', '8', '9', 'a'}), IMG_FMT_GIF},
        {Header({'G', 'I', 'F', '8', '7', 'a'}), IMG_FMT_GIF},
        {Header({'G', 'I', 'F', '8', '8', 'a'}), IMG_FMT_UNKNOWN},
        {Header({0xFF, 0xD8, 0xFF, 0xE0}), IMG_FMT_JPEG},
        {Header({0xFF, 0xD8, 0xFF, 0xE1}), IMG_FMT_JPEG},
        {Header({0x0A, 0x00}), IMG_FMT_PCX},
        {Header({0x0A, 0x02}), IMG_FMT_PCX},
        {Header({0x0A, 0x03}), IMG_FMT_PCX},
        {Header({0x0A, 0x05}), IMG_FMT_PCX},
        {Header({0x0A, 0x04}), IMG_FMT_UNKNOWN},
        {Header({'M', 'M'}), IMG_FMT_TIFF},
        {Header({'I', 'I'}), IMG_FMT_TIFF},
        {Header({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), IMG_FMT_PNG},
        {Header({0x01, 0x00, 0x09, 0x00, 0x00}), IMG_FMT_WMF},
        {Header({0xD7, 0xCD, 0xC6, 0x9A}), IMG_FMT_WMF},
        {emf, IMG_FMT_EMF},
        {Header({'8', 'B', 'P', 'S'}), IMG_FMT_PSD},
        {Header({'T', 'L', 'A', 0x01}), IMG_FMT_TLA1},
        {Header({'T', 'L', 'A', 'U'}), IMG_FMT_TLAU},
        {Header({0x00, 0x00}), IMG_FMT_WBMP},
        {Header({0x00, 0x01}), IMG_FMT_UNKNOWN},
        // Short streams are never detected, not even by a 2-byte signature.
        {Header({'B', 'M'}, 43), IMG_FMT_UNKNOWN},
        {Bytes(), IMG_FMT_UNKNOWN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectBytes(c.header), c.id) << int(c.header.empty() ? -1 : c.header[0]);
        EXPECT_EQ(img_last_error(), IMG_ERR_NONE);
    }
}

TEST(Detect, FileNameBreaksOnlyTheZeroZeroTie) {
    ScratchFolder folder;
    const struct {
        const char* name;
        Bytes header;
        int id;
    } cases[] = {
        {"a.tga", Header({0x00, 0x00}), IMG_FMT_TGA},
        {"a.TgA", Header({0x00, 0x00}), IMG_FMT_TGA},
        {"a.wbmp", Header({0x00, 0x00}), IMG_FMT_WBMP},
        {"a.ico", Header({0x00, 0x00}), IMG_FMT_WBMP},
        {"noextension", Header({0x00, 0x00}), IMG_FMT_WBMP},
        {"a.wbmp", Header({'B', 'M'}), IMG_FMT_BMP},
        {"a.tga", Header({0x0A, 0x00}), IMG_FMT_PCX},
        {"a.tga", Header({0x01, 0x02}), IMG_FMT_UNKNOWN},
    };
    for (const auto& c : cases) {
        const std::string path = folder.File(c.name);
        WriteFileBytes(path, c.header);
        ImgStream* stream = img_open_read(path.c_str());
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(img_detect_format(stream), c.id) << c.name;
        // Detection leaves the position past the 44 bytes it read.
        EXPECT_EQ(img_close_read(stream), 44);
    }
    EXPECT_EQ(ImgFormatFromExtension("x.WBM"), IMG_FMT_WBMP);
    EXPECT_EQ(ImgFormatFromExtension("x.tga.bak"), IMG_FMT_UNKNOWN);
}

TEST(Detect, NullHandle) {
    EXPECT_EQ(img_detect_format(nullptr), IMG_FMT_UNKNOWN);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
}
} // namespace
