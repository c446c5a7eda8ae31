#pragma once

// Runs one of our command-line tools from the build's bin folder and keeps
// what it said, so tests check the tool exactly as its users meet it.

#include <QProcess>
#include <QStringList>

#include <string>

struct ToolRun {
    int exitCode = -1; // -1 when the tool crashed or did not finish
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const char* name, const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(SCENESAVER_BIN_DIR "/") + QString::fromLatin1(name), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}
