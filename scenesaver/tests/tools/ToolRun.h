#pragma once

// Runs one of our command-line tools from the build's bin folder and keeps
// what it said, so tests check the tool exactly as its users meet it.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>

struct ToolRun {
    int exitCode = -1; // -1 when the tool crashed or did not finish
    std::string out;
    std::string err;
};

inline ToolRun
RunProgram(const QString& path, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(path, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

inline QString ToolPath(const char* name) {
    return QStringLiteral(SCENESAVER_BIN_DIR "/") + QString::fromLatin1(name);
}

inline ToolRun
RunTool(const char* name, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return RunProgram(ToolPath(name), arguments, environment);
}
