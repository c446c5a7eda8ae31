// Load-time preparation: its messages, loop matching and resource checks.

#include "platform/MessageBox.h"
#include "platform/TempFolder.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"
#include "scene/TextPictureRenderer.h"

#include "SceneTestSupport.h"

#include <filesystem>

namespace {

struct Shown {
    std::string text;
    MessageIcon icon;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << '"' << shown.text << "\" icon " << static_cast<int>(shown.icon);
}

class Prepare : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetMessagePresenter([this](const std::string& text, MessageIcon icon) {
            shown.push_back({text, icon});
        });
    }
    void TearDown() override { SetMessagePresenter(previous); }

    // Reads the block, which must be well formed, and prepares it.
    bool Load(const BlockBytes& block) {
        EXPECT_TRUE(Reads(block, scene));
        return scene.Prepare();
    }

    CScene scene;
    std::vector<Shown> shown;
    MessagePresenter previous;
};

const Shown chooseImage{"You have to choose the image.", MessageIcon::Stop};
const Shown chooseMedia{"You have to choose the media.", MessageIcon::Stop};

TEST_F(Prepare, ResourceChecksAndTheirMessages) {
    struct Case {
        const char* name;
        BlockBytes block;
        bool prepares;
        std::vector<Shown> messages;
    };
    const std::vector<Case> cases = {
        {"picture without image",
         BlockBytes().BlockHead(4.0F).I32(1).ImagePicture40("P", {}).Users({}),
         false,
         {chooseImage}},
        {"disabled picture without users",
         BlockBytes().BlockHead(4.0F).I32(1).ImagePicture40("P", {}, true).Users({}),
         true,
         {}},
        {"disabled picture with only disabled users",
         BlockBytes()
             .BlockHead(4.0F)
             .I32(2)
             .ImagePicture40("P", {}, true)
             .PictureAction40(1, "S", true)
             .Users({1}),
         true,
         {}},
        {"disabled picture used by an enabled show is still prepared",
         BlockBytes()
             .BlockHead(4.0F)
             .I32(2)
             .ImagePicture40("P", {}, true)
             .PictureAction40(1, "S")
             .Users({1}),
         false,
         {chooseImage}},
        {"media without bytes",
         BlockBytes().BlockHead(4.0F).I32(1).Media40("M", {}).Users({}),
         false,
         {chooseMedia}},
        {"disabled media without users",
         BlockBytes().BlockHead(4.0F).I32(1).Media40("M", {}, true).Users({}),
         true,
         {}},
        {"show without picture",
         BlockBytes().BlockHead(4.0F).I32(1).PictureAction40(1, "S"),
         false,
         {chooseImage}},
        {"disabled hide without picture",
         BlockBytes().BlockHead(4.0F).I32(1).PictureAction40(3, "H", true),
         true,
         {}},
        {"play without media",
         BlockBytes().BlockHead(4.0F).I32(1).Play40("Play"),
         false,
         {chooseMedia}},
        {"disabled play without media",
         BlockBytes().BlockHead(4.0F).I32(1).Play40("Play", true),
         true,
         {}},
        {"stop without media",
         BlockBytes().BlockHead(4.0F).I32(1).ItemHead(11, "Stop"),
         false,
         {chooseMedia}},
        {"play with its media",
         BlockBytes().BlockHead(4.0F).I32(2).Media40("M", {1}).Play40("Play").Users({1}),
         true,
         {}},
        // a picture's list naming a play item leaves the play without media
        {"play named by a picture",
         BlockBytes()
             .BlockHead(4.0F)
             .I32(2)
             .Play40("Play")
             .ImagePicture40("P", {1}, true)
             .Users({0}),
         false,
         {chooseMedia}},
        {"show named by a medium",
         BlockBytes()
             .BlockHead(4.0F)
             .I32(2)
             .Media40("M", {1}, true)
             .PictureAction40(1, "S")
             .Users({1}),
         false,
         {chooseImage}},
    };
    for (const Case& c : cases) {
        shown.clear();
        EXPECT_EQ(Load(c.block), c.prepares) << c.name;
        EXPECT_EQ(shown, c.messages) << c.name;
    }
}

TEST_F(Prepare, FirstFailureStopsThePreparation) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(2).PictureAction40(1, "S").Play40("Play");
    EXPECT_FALSE(Load(b));
    EXPECT_EQ(shown, (std::vector<Shown>{chooseImage}));
}

TEST_F(Prepare, LoadFromMemoryShowsPreparationMessages) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(1).Play40("Play");
    EXPECT_FALSE(LoadSceneBlock(b.bytes, scene));
    EXPECT_EQ(shown, (std::vector<Shown>{chooseMedia}));
}

TEST_F(Prepare, BadBlockFailsSilently) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(1).Play40("Play");
    b.bytes.resize(b.bytes.size() - 3); // cut inside the play item
    EXPECT_FALSE(LoadSceneBlock(b.bytes, scene));
    EXPECT_TRUE(shown.empty());
}

bool FailingRenderer(CPictureItem& /*picture*/) {
    return false;
}

bool SizingRenderer(CPictureItem& picture) {
    picture.m_bitmap.dimension = QSize(40, 12);
    return true;
}

TEST_F(Prepare, TextPictures) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(1).ItemHead(0, "T").U32(1).Flag(true).U32(1).U32(0).U32(0xFFFFFF);
    const auto font = EncodeLogFont(DefaultPictureFont());
    b.Scrambled("Good night").ScrambledRaw({font.begin(), font.end()}).Users({});

    const TextPictureRenderer before = SetTextPictureRenderer(SizingRenderer);
    EXPECT_TRUE(Load(b));
    EXPECT_EQ(ItemAt<CPictureItem>(scene, 0).GetSize(), QSize(40, 12));
    EXPECT_TRUE(shown.empty());

    // A render that fails, and no renderer at all, fail the load: a text
    // picture without its bitmap has nothing to show.
    for (const TextPictureRenderer renderer : {FailingRenderer, TextPictureRenderer{nullptr}}) {
        shown.clear();
        SetTextPictureRenderer(renderer);
        EXPECT_FALSE(Load(b));
        EXPECT_EQ(shown, (std::vector<Shown>{
                             {"Good night\ntext bitmap cannot be made.", MessageIcon::Stop}}));
    }
    SetTextPictureRenderer(before);
}

// A 2 by 1 picture, 24 bits per pixel, bottom row first.
std::vector<std::uint8_t> TinyBmp() {
    BlockBytes b;
    b.Raw({'B', 'M'}).U32(14 + 40 + 8).U32(0).U32(14 + 40);
    b.U32(40).I32(2).I32(1).U16(1).U16(24).U32(0).U32(8).I32(2835).I32(2835).U32(0).U32(0);
    b.Raw({0, 0, 255, 0, 255, 0, 0, 0});
    return b.bytes;
}

TEST_F(Prepare, ImagePicturesNeedNoTemporaryFile) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(1).ImagePicture40("P", TinyBmp()).Users({});
    // no private folder can be made inside /proc, not even by root
    RemovePrivateTempFolder();
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/proc");
    const bool prepared = Load(b);
    if (savedTmp.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", savedTmp);
    }
    RemovePrivateTempFolder();
    EXPECT_TRUE(prepared);
    EXPECT_TRUE(shown.empty()) << shown.front().text;
    // Checked and measured, not yet decoded.
    const auto& picture = ItemAt<CPictureItem>(scene, 0);
    EXPECT_EQ(picture.GetSize(), QSize(2, 1));
    EXPECT_TRUE(picture.m_bitmap.IsNull());
}

TEST_F(Prepare, LoopEndsFindTheirStartsLikeBrackets) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(6);
    b.ItemHead(6, "outer start").ItemHead(6, "inner start").ItemHead(4, "p").U32(0).Flag(false);
    b.LoopEnd40("inner end").LoopEnd40("outer end").LoopEnd40("disabled stray end", 1, true);
    ASSERT_TRUE(Load(b));
    EXPECT_EQ(ItemAt<CLoopEndItem>(scene, 3).m_loopStartPosition, 2);
    EXPECT_EQ(ItemAt<CLoopEndItem>(scene, 4).m_loopStartPosition, 1);
    EXPECT_TRUE(shown.empty());
}

TEST_F(Prepare, LoopEndWithoutStartRejectsTheLoad) {
    const std::vector<BlockBytes> blocks = {
        BlockBytes().BlockHead(4.0F).I32(1).LoopEnd40("end"),
        BlockBytes().BlockHead(4.0F).I32(3).ItemHead(6, "s").LoopEnd40("e").LoopEnd40("extra"),
        BlockBytes().BlockHead(4.0F).I32(2).LoopEnd40("e").ItemHead(6, "start after"),
    };
    for (const BlockBytes& block : blocks) {
        EXPECT_FALSE(Load(block));
    }
    EXPECT_TRUE(shown.empty());
}

TEST(LoopEnd, RepeatCountRunsTheBlockThatOftenInAll) {
    struct Case {
        std::uint32_t repeat;
        bool endless;
        int passes; // how many times the block runs before the list goes on
    };
    for (const Case c :
         {Case{0, false, 1}, Case{1, false, 1}, Case{3, false, 3}, Case{5, true, -1}}) {
        CLoopEndItem end;
        end.m_repeat.m_repeatCount = c.repeat;
        end.m_repeat.m_forever = c.endless;
        end.m_loopStartPosition = 4;
        int passes = 0;
        for (int pass = 1; pass <= 10; ++pass) {
            int index = 9;
            end.EndPass(index);
            if (index == 9) {
                passes = pass;
                break;
            }
            EXPECT_EQ(index, 3); // the caller's increment lands on the loop start plus 1
        }
        EXPECT_EQ(passes, c.endless ? 0 : c.passes) << c.repeat;
        EXPECT_EQ(end.m_repeat.m_counter, 0U) << c.repeat;
    }
}

} // namespace
