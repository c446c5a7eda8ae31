#pragma once

#include "host/CommandLine.h"
#include "platform/AppProfile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBlankScreenWnd;
class CScene;
class CSceneThread;
class QWidget;

// The application: prepares what every mode shares, runs the mode the
// command line names and, at the end, removes its temporary files and opens
// the link the user selected during the run.
class CSaverApp {
public:
    CSaverApp();
    ~CSaverApp();
    CSaverApp(const CSaverApp&) = delete;
    CSaverApp& operator=(const CSaverApp&) = delete;

    // The whole program; a QApplication must exist. Returns the exit code.
    int Run(const SaverCommandLine& commandLine);

    std::unique_ptr<CScene> scene;
    std::unique_ptr<QWidget> saverWindow;
    std::vector<std::unique_ptr<CBlankScreenWnd>> blankScreens;
    std::unique_ptr<CSceneThread> sceneThread;
    std::uint32_t calibrationCount = 0;
    std::string desktopFile;
    std::string wallpaperFile;
    int wallpaperStyle = 0;
    std::string exitLink;
    std::string applicationName;
    std::unique_ptr<CAppProfile> profile;

private:
    void StartUp();
    // The desktop snapshot and the wallpaper picture, for a loaded scene
    // that shows them.
    void WriteDesktopFiles();
    int Dispatch(const SaverCommandLine& commandLine);
    int RunMode();
    int EmbeddedMode(const SaverCommandLine& commandLine);
    int PreviewMode(const SaverCommandLine& commandLine);
    int ConfigureMode(bool ownedByForeground);
    int ChangePasswordMode(const SaverCommandLine& commandLine);
    // Runs the message loop unless a termination signal came first.
    int MessageLoop();
    void ShutDown();
};

// main(): parses the command line, makes the QApplication and runs the
// application.
int SaverMain(int argc, char** argv);
