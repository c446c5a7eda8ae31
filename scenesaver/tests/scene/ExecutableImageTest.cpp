// Where the executable image ends, and the block appended behind it.

#include "platform/ExecutableImage.h"
#include "platform/TempFolder.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"
#include "scene/Scramble.h"

#include "SceneTestSupport.h"

#include <elf.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

template <class T>
void Put(Bytes& file, std::uint64_t offset, const T& value) {
    if (file.size() < offset + sizeof value) {
        file.resize(offset + sizeof value);
    }
    std::memcpy(file.data() + offset, &value, sizeof value);
}

// A small 64-bit ELF file: header, two program headers at 64, a segment at
// 0x200 of 0x100 bytes, three section headers at 0x400 (null, a section at
// 0x300 of 0x80 bytes, a NOBITS section that claims far more than the file).
Bytes SmallElf() {
    Bytes file(0x400 + 3 * sizeof(Elf64_Shdr), 0);
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_EXEC;
    header.e_ehsize = sizeof header;
    header.e_phoff = 64;
    header.e_phnum = 2;
    header.e_phentsize = sizeof(Elf64_Phdr);
    header.e_shoff = 0x400;
    header.e_shnum = 3;
    header.e_shentsize = sizeof(Elf64_Shdr);
    Put(file, 0, header);
    Elf64_Phdr load{};
    load.p_type = PT_LOAD;
    load.p_offset = 0x200;
    load.p_filesz = 0x100;
    Put(file, 64, load);
    Elf64_Phdr stack{}; // no file contents: its offset does not matter
    stack.p_type = PT_GNU_STACK;
    stack.p_offset = 0xFFFFFFFFFF;
    Put(file, 64 + sizeof(Elf64_Phdr), stack);
    Elf64_Shdr data{};
    data.sh_type = SHT_PROGBITS;
    data.sh_offset = 0x300;
    data.sh_size = 0x80;
    Put(file, 0x400 + sizeof(Elf64_Shdr), data);
    Elf64_Shdr bss{};
    bss.sh_type = SHT_NOBITS;
    bss.sh_offset = 0x380;
    bss.sh_size = 0x100000;
    Put(file, 0x400 + 2 * sizeof(Elf64_Shdr), bss);
    return file;
}

TEST(ExecutableImage, EndsAtTheFurthestTableSegmentOrSection) {
    Bytes file = SmallElf();
    const std::uint64_t tableEnd = file.size();
    EXPECT_EQ(ExecutableImageEnd(file), tableEnd);
    file.insert(file.end(), {1, 2, 3, 4, 5}); // appended data is not part of the image
    EXPECT_EQ(ExecutableImageEnd(file), tableEnd);

    // the section table moved forward: now the segment ends the image
    Bytes early = SmallElf();
    auto* header = reinterpret_cast<Elf64_Ehdr*>(early.data());
    header->e_shoff = 0x100;
    std::memcpy(early.data() + 0x100, early.data() + 0x400, 3 * sizeof(Elf64_Shdr));
    early.resize(0x400);
    EXPECT_EQ(ExecutableImageEnd(early), 0x300U + 0x80U);
}

TEST(ExecutableImage, MalformedHeadersAreRefused) {
    struct Case {
        const char* name;
        void (*spoil)(Bytes&);
    };
    const std::vector<Case> cases = {
        {"not ELF", [](Bytes& f) { f[1] = 'X'; }},
        {"big-endian", [](Bytes& f) { f[EI_DATA] = ELFDATA2MSB; }},
        {"unknown class", [](Bytes& f) { f[EI_CLASS] = 7; }},
        {"segment past the end",
         [](Bytes& f) { reinterpret_cast<Elf64_Phdr*>(f.data() + 64)->p_filesz = 0x10000; }},
        {"segment offset wraps",
         [](Bytes& f) {
             reinterpret_cast<Elf64_Phdr*>(f.data() + 64)->p_offset = ~std::uint64_t{0} - 4;
         }},
        {"section past the end",
         [](Bytes& f) {
             reinterpret_cast<Elf64_Shdr*>(f.data() + 0x400 + sizeof(Elf64_Shdr))->sh_size =
                 0x10000;
         }},
        {"huge program header count",
         [](Bytes& f) { reinterpret_cast<Elf64_Ehdr*>(f.data())->e_phnum = 0xFFF0; }},
        {"entry size too small",
         [](Bytes& f) { reinterpret_cast<Elf64_Ehdr*>(f.data())->e_phentsize = 8; }},
        {"section table past the end",
         [](Bytes& f) { reinterpret_cast<Elf64_Ehdr*>(f.data())->e_shoff = 0x10000; }},
        {"extended section count too large",
         [](Bytes& f) {
             reinterpret_cast<Elf64_Ehdr*>(f.data())->e_shnum = 0;
             reinterpret_cast<Elf64_Shdr*>(f.data() + 0x400)->sh_size = 1U << 30;
         }},
    };
    for (const Case& c : cases) {
        Bytes file = SmallElf();
        c.spoil(file);
        std::string why;
        EXPECT_FALSE(ExecutableImageEnd(file, &why)) << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
    }
    const Bytes whole = SmallElf();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        ASSERT_FALSE(ExecutableImageEnd(std::span(whole.data(), size))) << size;
    }
}

TEST(ExecutableImage, ExtendedSectionCountIsHonoured) {
    Bytes file = SmallElf();
    reinterpret_cast<Elf64_Ehdr*>(file.data())->e_shnum = 0;
    reinterpret_cast<Elf64_Shdr*>(file.data() + 0x400)->sh_size = 3;
    EXPECT_EQ(ExecutableImageEnd(file), file.size());
}

TEST(ExecutableImage, ThirtyTwoBitFiles) {
    Bytes file(0x100, 0);
    Elf32_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS32;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ehsize = sizeof header;
    header.e_phoff = sizeof header;
    header.e_phnum = 1;
    header.e_phentsize = sizeof(Elf32_Phdr);
    Put(file, 0, header);
    Elf32_Phdr load{};
    load.p_type = PT_LOAD;
    load.p_offset = 0x80;
    load.p_filesz = 0x40;
    Put(file, sizeof header, load);
    EXPECT_EQ(ExecutableImageEnd(file), 0xC0U);
}

// This test program is an ELF executable like the player: nothing follows its
// image until a block is appended to a copy.
TEST(ExecutableImage, BlockAppendedToACopyOfARealExecutable) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    const auto selfSize = std::filesystem::file_size(self);
    EXPECT_EQ(ExecutableImageEnd(self), selfSize);

    CScene scene;
    EXPECT_FALSE(LoadSceneBlock(self, scene)); // a bare player has no scene

    const std::string copy = MakeTempFile("Exe");
    ASSERT_FALSE(copy.empty());
    std::filesystem::copy_file(self, copy, std::filesystem::copy_options::overwrite_existing);
    BlockBytes b;
    b.BlockHead(4.0F).I32(1).ItemHead(13, "Link").Flag(false).I32(65).Scrambled("https://a.b/");
    {
        std::ofstream out(copy, std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(b.bytes.data()),
                  static_cast<std::streamsize>(b.bytes.size()));
    }
    EXPECT_EQ(ExecutableImageEnd(copy), selfSize);
    ASSERT_TRUE(LoadSceneBlock(copy, scene));
    EXPECT_EQ(ItemAt<CLinkItem>(scene, 0).m_link, "https://a.b/");

    std::vector<std::uint8_t> block;
    std::string why;
    EXPECT_FALSE(ReadAppendedBlock(copy + ".missing", block, why));
    EXPECT_FALSE(why.empty());
    std::filesystem::remove(copy);
}

// A copy of this test program with the block appended, and as many bytes of
// nothing (a hole that takes no disk) after it.
std::string PlayerWithBlock(const BlockBytes& block, std::uint64_t trailingHole = 0) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string copy = MakeTempFile("Exe");
    std::filesystem::copy_file(self, copy, std::filesystem::copy_options::overwrite_existing);
    {
        std::ofstream out(copy, std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(block.bytes.data()),
                  static_cast<std::streamsize>(block.bytes.size()));
    }
    std::filesystem::resize_file(copy, std::filesystem::file_size(copy) + trailingHole);
    return copy;
}

// The file whose mapping holds the address, from the process's own map;
// empty for memory of no file (the heap, for one).
std::string MappedFileAt(const void* address) {
    std::ifstream maps("/proc/self/maps");
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    for (std::string line; std::getline(maps, line);) {
        std::istringstream fields(line);
        std::string range, permissions, offset, device, inode, path;
        fields >> range >> permissions >> offset >> device >> inode >> path;
        const std::uintptr_t start = std::stoull(range.substr(0, range.find('-')), nullptr, 16);
        const std::uintptr_t end = std::stoull(range.substr(range.find('-') + 1), nullptr, 16);
        if (start <= at && at < end) {
            return path;
        }
    }
    return {};
}

TEST(ExecutableImage, EmbeddedFilesAreReadInPlaceFromTheExecutable) {
    // Large enough to span many pages; every byte differs from its neighbour
    // so that an offset or a missed unscramble shows.
    std::vector<std::uint8_t> video(3 << 20);
    for (std::size_t i = 0; i < video.size(); ++i) {
        video[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    BlockBytes b;
    b.BlockHead(4.0F).I32(2);
    b.ItemHead(9, "Clip").U32(static_cast<std::uint32_t>(video.size())).Scrambled("clip.avi");
    b.U32(mediaVideo).ScrambledRaw(video);
    b.ItemHead(13, "Link").Flag(false).I32(65).Scrambled("https://a.b/");
    b.Users({});
    const std::string player = PlayerWithBlock(b);

    CScene scene;
    ASSERT_TRUE(LoadSceneBlock(player, scene));
    const auto& media = ItemAt<CMediaItem>(scene, 0);
    ASSERT_EQ(media.m_mediaBytes.size(), video.size());
    // Nothing has used the file yet, so its pages still hold it as stored;
    // the first use puts it right, once.
    EXPECT_EQ(media.m_mediaBytes.Stored().raise, ScrambleShift(video.size()));
    EXPECT_TRUE(std::equal(video.begin(), video.end(), media.m_mediaBytes.data()));
    EXPECT_EQ(media.m_mediaBytes.Stored().raise, 0);
    EXPECT_TRUE(std::equal(video.begin(), video.end(), media.m_mediaBytes.data()));
    // The bytes are the executable's own pages, not a copy on the heap.
    EXPECT_EQ(MappedFileAt(media.m_mediaBytes.data()), player);
    EXPECT_EQ(ItemAt<CLinkItem>(scene, 1).m_link, "https://a.b/");
    std::filesystem::remove(player);
}

TEST(ExecutableImage, BlocksPastAGibibyteLoad) {
    // Whatever follows the items is never touched, so the hole costs
    // neither disk nor memory.
    BlockBytes b;
    b.BlockHead(4.0F).I32(1).ItemHead(13, "Link").Flag(false).I32(65).Scrambled("https://a.b/");
    const std::string player = PlayerWithBlock(b, (std::uint64_t{5} << 30) / 4);
    CScene scene;
    EXPECT_TRUE(LoadSceneBlock(player, scene));
    std::filesystem::remove(player);
}

} // namespace
