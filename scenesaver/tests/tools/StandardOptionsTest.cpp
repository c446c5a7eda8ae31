// --help, --version and unknown options, answered alike by the player, a
// saver made from it and every tool, as desktop programs answer them: no
// display needed, the answer on standard output and status 0, a usage error
// on standard error and status 2.

#include "ToolRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {
struct Program {
    QString path;
    std::string name; // as it calls itself
    std::string versionLine;
};

// A display that cannot be reached: a program that opened one to answer
// would fail instead.
QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("XSCREENSAVER_WINDOW"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

std::string Packed(const QTemporaryDir& dir) {
    const QString saver = dir.filePath("Night-Sky");
    const ToolRun run =
        RunTool("scenepack", {"build", SCENESAVER_SOURCE_DIR "/tests/e2e/scene.json", "-o", saver,
                              "--player", ToolPath("SceneSaver")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return saver.toStdString();
}
} // namespace

TEST(StandardOptions, EveryProgramAnswersHelpVersionAndUnknownOptions) {
    QTemporaryDir dir;
    const std::string version = SCENESAVER_EXPECTED_VERSION;
    const Program programs[] = {
        {ToolPath("SceneSaver"), "SceneSaver", "SceneSaver " + version},
        {QString::fromStdString(Packed(dir)), "Night-Sky", "Night-Sky (SceneSaver) " + version},
        {ToolPath("scenepack"), "scenepack", "scenepack (SceneSaver) " + version},
        {ToolPath("imgtool"), "imgtool", "imgtool (SceneSaver) " + version},
    };
    for (const Program& program : programs) {
        const ToolRun help = RunProgram(program.path, {"--help"}, WithoutDisplay());
        EXPECT_EQ(help.exitCode, 0) << program.name << help.err;
        EXPECT_EQ(help.out.rfind("usage: " + program.name + " ", 0), 0U) << help.out;
        EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
        EXPECT_EQ(help.err, "") << program.name;

        const ToolRun shown = RunProgram(program.path, {"--version"}, WithoutDisplay());
        EXPECT_EQ(shown.exitCode, 0) << program.name << shown.err;
        EXPECT_EQ(shown.out, program.versionLine + "\n");

        const ToolRun wrong = RunProgram(program.path, {"--frobnicate"}, WithoutDisplay());
        EXPECT_EQ(wrong.exitCode, 2) << program.name;
        EXPECT_EQ(wrong.out, "") << program.name;
        EXPECT_NE(wrong.err.find(program.name + ": unknown option '--frobnicate'"),
                  std::string::npos)
            << wrong.err;
    }
}

// The player's modes: each mode's help names it, and a mistyped letter is
// said plainly (its status stays the protocol's 1).
TEST(StandardOptions, PlayerHelpListsItsModesAndNamesAnUnknownMode) {
    const ToolRun help = RunTool("SceneSaver", {"-h"}, WithoutDisplay());
    ASSERT_EQ(help.exitCode, 0);
    for (const char* mode : {"/c", "/s", "/p ID", "/a ID", "-root", "-window-id ID"}) {
        EXPECT_NE(help.out.find(std::string("  ") + mode + " "), std::string::npos) << mode;
    }
    const ToolRun unknown = RunTool("SceneSaver", {"/x"}, WithoutDisplay());
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("unknown mode '/x'"), std::string::npos) << unknown.err;
}

// An answer that could not be written is a failure, not a success.
TEST(StandardOptions, AnAnswerThatCannotBeWrittenFails) {
    for (const char* name : {"SceneSaver", "scenepack"}) {
        QProcess process;
        process.setProcessEnvironment(WithoutDisplay());
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(ToolPath(name), {"--help"});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << name;
        EXPECT_EQ(process.exitCode(), 1) << name;
    }
}
