// scenepack as its users run it: build, dump, and what it says when a
// manifest or a block is wrong.

#include "platform/ExecutableImage.h"

#include "../scene/BlockBytes.h"

#include "ToolRun.h"
#include <QFile>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;

ToolRun Scenepack(const QStringList& arguments) {
    return RunTool("scenepack", arguments);
}

Bytes ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

void WriteText(const QString& path, const char* text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The demo manifest beside the media the build made for it.
const QString demoManifest = QStringLiteral(SCENESAVER_BIN_DIR "/demo/demo.json");
const QString player = QStringLiteral(SCENESAVER_BIN_DIR "/scenepack"); // any ELF program

TEST(Scenepack, WritesTheBlockByteForByte) {
    QTemporaryDir dir;
    WriteText(dir.filePath("m.json"), R"({"items": [
        {"kind": "media", "label": "Snd", "type": "mp3", "data": "AQI="},
        {"kind": "play", "label": "Go", "media": "Snd", "wait": true, "videoPosition": [3, -4]},
        {"kind": "link", "label": "L", "disabled": true, "triggerKey": 65, "link": "mailto:x@y"}
    ]})");
    const ToolRun run =
        Scenepack({"build", dir.filePath("m.json"), "--raw", "-o", dir.filePath("b")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    BlockBytes expected;
    expected.BlockHead(4.0F).I32(3);
    expected.ItemHead(9, "Snd").U32(2).Scrambled("").U32(2).ScrambledRaw({1, 2});
    expected.ItemHead(10, "Go").U32(1).Flag(false).Flag(true).Flag(false).Point(3, -4);
    expected.ItemHead(13, "L", true).Flag(false).I32(65).Scrambled("mailto:x@y");
    expected.Users({1});
    EXPECT_EQ(ReadBytes(dir.filePath("b")), expected.bytes);
}

TEST(Scenepack, DemoRoundTripsThroughItsJsonDump) {
    QTemporaryDir dir;
    const QString out = dir.filePath("Demo");
    ToolRun run = Scenepack({"build", demoManifest, "-o", out, "--player", player});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // the player's image, then the block; the result still runs
    const auto imageEnd = ExecutableImageEnd(player.toStdString());
    ASSERT_TRUE(imageEnd);
    const Bytes packed = ReadBytes(out);
    const Bytes playerBytes = ReadBytes(player);
    ASSERT_GT(packed.size(), *imageEnd);
    EXPECT_TRUE(std::equal(playerBytes.begin(), playerBytes.begin() + *imageEnd, packed.begin()));
    struct stat info {};
    ASSERT_EQ(stat(out.toLocal8Bit().constData(), &info), 0);
    EXPECT_NE(info.st_mode & S_IXUSR, 0U);

    run = Scenepack({"dump", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("0\t12\tAbout\n1\t0\tSky\n2\t0\tSunset\n3\t0\tGreeting\n", 0), 0U)
        << run.out;

    run = Scenepack({"dump", out, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QFile json(dir.filePath("back.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(QByteArray::fromStdString(run.out));
    json.close();
    // packing the dump into the packed player replaces its scene
    run = Scenepack(
        {"build", dir.filePath("back.json"), "-o", dir.filePath("Again"), "--player", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir.filePath("Again")), packed);
}

TEST(Scenepack, ManifestErrorsNameTheItemAndTheField) {
    struct Case {
        const char* manifest;
        const char* message;
    };
    const Case cases[] = {
        {R"({"items": [{"kind": "picture", "label": "A"}, {"kind": "shwo", "label": "B"}]})",
         R"(item 1 ("B"): field "kind" names no item kind)"},
        {R"({"items": [{"kind": "show", "label": "S", "placement": {"effect": -1}}]})",
         R"(item 0 ("S"): field "placement.effect" must be a whole number from 0 to 4294967295)"},
        {R"({"items": [{"kind": "pause", "label": "P", "milliseconds": 1.5}]})",
         R"(item 0 ("P"): field "milliseconds" must be a whole number)"},
        {R"({"items": [{"kind": "line", "label": "L", "colour": {}}]})",
         R"(item 0 ("L"): field "colour" is not a field of this item)"},
        {R"({"items": [{"kind": "background", "color": {"color": "red"}}]})",
         R"(item 0: field "color.color" must be "#RRGGBB" or a number)"},
        {R"({"items": [{"kind": "play", "label": "Go", "media": "Nothing"}]})",
         R"(item 0 ("Go"): field "media" names "Nothing", but no media item has that label)"},
        {R"({"items": [{"kind": "picture", "label": "X"}, {"kind": "picture", "label": "X"},
                       {"kind": "hide", "label": "H", "picture": "X"}]})",
         R"(item 2 ("H"): field "picture" names the label "X", which more than one picture)"},
        {R"({"items": [{"kind": "media", "label": "M"}, {"kind": "show", "label": "S", "picture": 0}]})",
         R"(item 1 ("S"): field "picture" does not give the position of a picture item)"},
        {R"({"items": [{"kind": "media", "label": "M", "file": "missing.wav"}]})",
         R"(item 0 ("M"): field "file" names )"},
        {R"({"items": [{"kind": "media", "label": "M", "file": "a", "data": ""}]})",
         R"(item 0 ("M"): field "data" cannot stand beside "file")"},
        {R"({"items": [{"kind": "remark", "label": "R", "text": "\u4e2d"}]})",
         R"(item 0 ("R"): field "text" holds characters that Windows-1252 text cannot)"},
        {R"({"items": [{"kind": "link", "link": "x", "triggerKey": [1]}]})",
         R"(item 0: field "triggerKey" must be a whole number)"},
        {R"({"items": [], "extra": 1})", R"(manifest: field "extra" is not a field)"},
        {R"({"items": [)", "not JSON"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        WriteText(dir.filePath("m.json"), c.manifest);
        const ToolRun run =
            Scenepack({"build", dir.filePath("m.json"), "--raw", "-o", dir.filePath("out")});
        EXPECT_EQ(run.exitCode, 1) << c.manifest;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(QFile::exists(dir.filePath("out"))) << c.manifest;
    }
}

TEST(Scenepack, DumpOfABadBlockSaysWhyAndFails) {
    QTemporaryDir dir;
    BlockBytes cut;
    cut.BlockHead(4.0F).I32(2).ItemHead(6, "start");
    BlockBytes newer;
    newer.BlockHead(4.5F).I32(0);
    struct Case {
        QStringList arguments;
        const char* reason;
    };
    const auto write = [&](const char* name, const Bytes& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return dir.filePath(name);
    };
    const Case cases[] = {
        {{"dump", "--raw", write("cut", cut.bytes)}, "item 1: item kind needs 4 bytes"},
        {{"dump", write("newer", newer.bytes), "--raw"}, "format version 4.5"},
        {{"dump", player}, "nothing is appended to the executable"},
        {{"dump", write("text", {'h', 'i'})}, "not an ELF file"},
        {{"dump", dir.filePath("missing")}, "cannot open"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Scenepack(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << c.reason;
    }
}

} // namespace
