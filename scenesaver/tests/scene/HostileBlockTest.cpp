// Blocks that are cut, garbled or oversized are refused cleanly.

#include "scene/PictureItem.h"

#include "SceneTestSupport.h"

#include <cmath>
#include <limits>

namespace {

// One item of every kind, as format 4.0 stores them.
BlockBytes EveryKind40() {
    BlockBytes b;
    b.BlockHead(4.0F).I32(14);
    b.ImagePicture40("Pic", {1, 2, 3, 4});
    b.PictureAction40(1, "Show").PictureAction40(2, "Move").PictureAction40(3, "Hide");
    b.ItemHead(4, "Pause").U32(100).Flag(false);
    b.ItemHead(5, "Back").ColorBlock(0x808080);
    b.ItemHead(6, "Start");
    b.LoopEnd40("End", 2);
    b.ItemHead(8, "Line").ColorBlock().Placement40().U32(0).U32(1);
    b.Media40("Snd", {9, 9});
    b.Play40("Play");
    b.ItemHead(11, "Stop");
    b.ItemHead(12, "Rem").Scrambled("remark");
    b.ItemHead(13, "Link").Flag(false).I32(-1).Scrambled("http://");
    b.Users({1, 2, 3}).Users({10, 11});
    return b;
}

TEST(HostileBlock, TheFullBlockReads) {
    CScene scene;
    ASSERT_TRUE(Reads(EveryKind40(), scene));
    EXPECT_EQ(scene.Items().size(), 14U);
}

TEST(HostileBlock, EveryShorterPrefixIsRefused) {
    const std::vector<std::uint8_t> full = EveryKind40().bytes;
    for (std::size_t size = 0; size < full.size(); ++size) {
        CScene scene;
        std::string why;
        ASSERT_FALSE(ReadSceneBlock(std::span(full.data(), size), scene, why)) << size;
        EXPECT_FALSE(why.empty()) << size;
        EXPECT_TRUE(scene.Items().empty()) << size;
    }
}

TEST(HostileBlock, BlockHeadChecks) {
    struct Case {
        const char* name;
        BlockBytes bytes;
        bool reads;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Case> cases = {
        {"version 4.0", BlockBytes().BlockHead(4.0F).I32(0), true},
        {"version 4.009", BlockBytes().BlockHead(4.009F).I32(0), true},
        {"version 4.01 in single precision", BlockBytes().BlockHead(4.01F).I32(0), false},
        {"version 4.5", BlockBytes().BlockHead(4.5F).I32(0), false},
        {"infinite version", BlockBytes().BlockHead(INFINITY).I32(0), false},
        {"version not a number", BlockBytes().BlockHead(nan).I32(0), false},
        {"other signature", BlockBytes().BlockHead(4.0F, "SceneSaverBlocx").I32(0), false},
        {"short signature", BlockBytes().BlockHead(4.0F, "SceneSaver").I32(0), false},
        {"no item count", BlockBytes().BlockHead(4.0F), false},
        {"negative item count", BlockBytes().BlockHead(4.0F).I32(-5), true},
    };
    for (const Case& c : cases) {
        CScene scene;
        std::string why;
        EXPECT_EQ(ReadSceneBlock(c.bytes.bytes, scene, why), c.reads) << c.name << ": " << why;
        EXPECT_TRUE(scene.Items().empty()) << c.name;
    }
}

TEST(HostileBlock, GarbledContentIsRefusedWithAReason) {
    struct Case {
        const char* name;
        BlockBytes bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"unknown kind", BlockBytes().BlockHead(4.0F).I32(1).ItemHead(14, "X"),
         "unknown item kind 14"},
        {"user index outside the list",
         BlockBytes().BlockHead(4.0F).I32(1).ImagePicture40("P", {1}).Users({1}),
         "user index 1 outside the 1 items"},
        {"huge item count", BlockBytes().BlockHead(4.0F).I32(0x7FFFFFFF).ItemHead(6, "S"),
         "item kind needs 4 bytes"},
        {"huge image size",
         BlockBytes()
             .BlockHead(4.0F)
             .I32(1)
             .ItemHead(0, "P")
             .U32(0)
             .Flag(true)
             .U32(1)
             .U32(0xFFFFFFFF)
             .Scrambled("a.bmp")
             .Raw({1, 2, 3}),
         "image bytes needs 4294967295 bytes"},
        {"huge media size",
         BlockBytes().BlockHead(4.0F).I32(1).ItemHead(9, "M").U32(0xFFFFFFF0).Scrambled("a").U32(0),
         "media bytes needs"},
        {"huge label",
         BlockBytes().BlockHead(4.0F).I32(1).U32(6).Byte(0xFF).U16(0xFFFF).U32(0xFFFFFFFF),
         "label needs 4294967295 bytes"},
        {"huge user count",
         BlockBytes().BlockHead(4.0F).I32(1).ImagePicture40("P", {1}).I32(0x7FFFFFFF).U32(0),
         "2147483647 users do not fit"},
    };
    for (const Case& c : cases) {
        CScene scene;
        std::string why;
        EXPECT_FALSE(ReadSceneBlock(c.bytes.bytes, scene, why)) << c.name;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
    }
}

TEST(HostileBlock, EmptyAndNegativeUserListsAreNoUsers) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(2).ImagePicture40("P", {1}).Media40("M", {2});
    b.I32(0).I32(-3);
    CScene scene;
    ASSERT_TRUE(Reads(b, scene));
    EXPECT_TRUE(ItemAt<CPictureItem>(scene, 0).m_users.empty());
}

TEST(HostileBlock, ZeroItemsGiveAnEmptySceneThatLoads) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(0);
    CScene scene;
    EXPECT_TRUE(LoadSceneBlock(b.bytes, scene));
    EXPECT_TRUE(scene.Items().empty());
}

} // namespace
