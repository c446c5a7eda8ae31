// scenepack install as its users run it: where the saver and its settings
// description go, what the description says, the line printed for
// ~/.xscreensaver, and the names and files it refuses.

#include "ToolRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const QString player = ToolPath("SceneSaver");

QString Write(const QTemporaryDir& dir, const char* name, const char* text) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return dir.filePath(name);
}

QString Manifest(const QTemporaryDir& dir, const char* label) {
    const std::string text = std::string(R"({"items": [{"kind": "remark", "label": ")") + label +
                             R"(", "text": "x"}, {"kind": "pause", "label": "Rest"}]})";
    return Write(dir, "scene.json", text.c_str());
}

ToolRun Install(const QStringList& arguments, const std::map<QString, QString>& environment = {}) {
    QProcessEnvironment merged = QProcessEnvironment::systemEnvironment();
    merged.remove(QStringLiteral("XDG_DATA_HOME"));
    for (const auto& [name, value] : environment) {
        merged.insert(name, value);
    }
    return RunTool("scenepack",
                   QStringList{"install"} + arguments + QStringList{"--player", player}, merged);
}

std::string LastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of('\n');
    const std::size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

std::string Trimmed(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? "" : text.substr(start);
}

// What XScreenSaver's settings program takes from a description.
struct Description {
    QString name;
    QString label;
    QString commandArgument;
    QString text;
    bool wellFormed = false;
};

Description ReadDescription(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    Description found;
    while (xml.readNextStartElement()) {
        if (xml.name() == QStringLiteral("screensaver")) {
            found.name = xml.attributes().value("name").toString();
            found.label = xml.attributes().value("_label").toString();
            continue; // into its children
        }
        if (xml.name() == QStringLiteral("command")) {
            found.commandArgument = xml.attributes().value("arg").toString();
        } else if (xml.name() == QStringLiteral("_description")) {
            found.text = xml.readElementText().trimmed();
            continue;
        }
        xml.skipCurrentElement();
    }
    found.wellFormed = !xml.hasError();
    return found;
}

std::string Dump(const QString& saver) {
    const ToolRun run = RunTool("scenepack", {"dump", saver});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.out;
}

} // namespace

TEST(ScenepackInstall, PutsTheSaverAndItsDescriptionInXScreenSaversFolders) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("prefix");
    ToolRun run = Install(
        {Manifest(dir, "First"), "sea-and-sun", "--label", "Sun & <Sea>", "--prefix", prefix});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const QString saver = prefix + "/libexec/xscreensaver/sea-and-sun";
    EXPECT_TRUE(QFileInfo(saver).isExecutable());
    EXPECT_EQ(Dump(saver).rfind("0\t12\tFirst\n", 0), 0U);
    const Description description =
        ReadDescription(prefix + "/share/xscreensaver/config/sea-and-sun.xml");
    EXPECT_TRUE(description.wellFormed);
    EXPECT_EQ(description.name, "sea-and-sun");
    EXPECT_EQ(description.label, "Sun & <Sea>");
    EXPECT_EQ(description.commandArgument, "--root");
    EXPECT_NE(description.text.indexOf("sea-and-sun /c"), -1) << description.text.toStdString();
    // the line ends the output, ready to paste into the programs: list
    EXPECT_EQ(Trimmed(LastLine(run.out)),
              "\"Sun & <Sea>\"  " + saver.toStdString() + " --root  \\n\\")
        << run.out;

    // A saver as it is, installed again under the same name, replaces the
    // scene; the label defaults to the name.
    const QString packed = dir.filePath("Packed");
    ASSERT_EQ(
        RunTool("scenepack", {"build", Manifest(dir, "Second"), "-o", packed, "--player", player})
            .exitCode,
        0);
    run = Install({packed, "sea-and-sun", "--prefix", prefix});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Dump(saver).rfind("0\t12\tSecond\n", 0), 0U);
    EXPECT_EQ(ReadDescription(prefix + "/share/xscreensaver/config/sea-and-sun.xml").label,
              "sea-and-sun");
    EXPECT_FALSE(QFile::exists(saver + ".part"));
}

TEST(ScenepackInstall, GoesSystemWideWhenItCanElseForTheUser) {
    QTemporaryDir dir;
    const QString system = dir.filePath("usr");
    const QString home = dir.filePath("Jo's home");
    QDir().mkpath(system + "/libexec/xscreensaver");
    const QString scene = Manifest(dir, "First");
    const std::map<QString, QString> environment = {{"SCENEPACK_XSCREENSAVER_PREFIX", system},
                                                    {"HOME", home}};

    ToolRun run = Install({scene, "wide"}, environment);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(QFile::exists(system + "/libexec/xscreensaver/wide"));
    EXPECT_TRUE(QFile::exists(system + "/share/xscreensaver/config/wide.xml"));

    run = Install({scene, "mine", "--user"}, environment);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QString userSaver = home + "/.local/libexec/xscreensaver/mine";
    EXPECT_TRUE(QFileInfo(userSaver).isExecutable());
    EXPECT_TRUE(QFile::exists(home + "/.local/share/xscreensaver/config/mine.xml"));
    EXPECT_FALSE(QFile::exists(system + "/libexec/xscreensaver/mine"));
    // XScreenSaver does not search the user's folder: the line names the
    // path, as one word of the shell that XScreenSaver hands it to.
    const std::string line = Trimmed(LastLine(run.out));
    const std::string head = "\"mine\"  ";
    const std::string tail = " --root  \\n\\";
    ASSERT_EQ(line.rfind(head, 0), 0U) << line;
    ASSERT_EQ(line.substr(line.size() - tail.size()), tail) << line;
    const std::string word = line.substr(head.size(), line.size() - head.size() - tail.size());
    // The shell's $0 is the path the saver was installed at.
    const QString script = "set -- " + QString::fromStdString(word) +
                           "; [ $# = 1 ] && [ \"$1\" = \"$0\" ] && [ -x \"$1\" ]";
    EXPECT_EQ(RunProgram("/bin/sh", {"-c", script, userSaver}).exitCode, 0) << word;
    EXPECT_NE(run.out.find((system + "/share/xscreensaver/config").toStdString()),
              std::string::npos)
        << run.out;

    // Without XScreenSaver's hack folder there is nothing system-wide to add
    // to; the description follows $XDG_DATA_HOME.
    auto elsewhere = environment;
    elsewhere["SCENEPACK_XSCREENSAVER_PREFIX"] = dir.filePath("no-xscreensaver");
    elsewhere["XDG_DATA_HOME"] = dir.filePath("data");
    run = Install({scene, "fallback"}, elsewhere);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(QFile::exists(home + "/.local/libexec/xscreensaver/fallback"));
    EXPECT_TRUE(QFile::exists(dir.filePath("data/xscreensaver/config/fallback.xml")));
    EXPECT_FALSE(QFile::exists(dir.filePath("no-xscreensaver")));
}

TEST(ScenepackInstall, RefusesUnsafeNamesAndOtherHacksFiles) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("prefix");
    const QString scene = Manifest(dir, "First");
    struct Case {
        QStringList arguments;
        int status;
        const char* message;
    };
    const QString hacks = prefix + "/libexec/xscreensaver/";
    const QString config = prefix + "/share/xscreensaver/config/";
    QDir().mkpath(hacks);
    QDir().mkpath(config);
    QFile::copy(ToolPath("imgtool"), hacks + "other");
    Write(dir, "deco.xml", "<screensaver name=\"deco\"/>");
    QFile::copy(dir.filePath("deco.xml"), config + "deco.xml");
    const Case cases[] = {
        {{scene, "two words"}, 2, "must be 1 to 64 letters"},
        {{scene, "../escape"}, 2, "must be 1 to 64 letters"},
        {{scene, "a/b"}, 2, "must be 1 to 64 letters"},
        {{scene, ".hidden"}, 2, "must be 1 to 64 letters"},
        {{scene, "semi;colon"}, 2, "must be 1 to 64 letters"},
        {{scene, QString(65, 'n')}, 2, "must be 1 to 64 letters"},
        {{scene, "quoted", "--label", "Say \"hi\""}, 2, "without quotes or backslashes"},
        {{scene, "slashed", "--label", "back\\slash"}, 2, "without quotes or backslashes"},
        {{scene, "lined", "--label", "two\nlines"}, 2, "without quotes or backslashes"},
        {{scene}, 2, "usage:"},
        {{scene, "both", "--user", "--system"}, 2, "usage:"},
        {{scene, "other"}, 1, "is another program"},
        {{scene, "deco"}, 1, "describes another hack"},
        {{player, "bare"}, 1, "carries no scene"},
        {{dir.filePath("missing.json"), "gone"}, 1, "cannot read"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Install(c.arguments + QStringList{"--prefix", prefix});
        EXPECT_EQ(run.exitCode, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    // nothing was written beside what was there
    EXPECT_EQ(QDir(hacks).entryList(QDir::Files), QStringList{"other"});
    EXPECT_EQ(QDir(config).entryList(QDir::Files), QStringList{"deco.xml"});
    QFile other(hacks + "other");
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    QFile original(ToolPath("imgtool"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), original.readAll());
}
