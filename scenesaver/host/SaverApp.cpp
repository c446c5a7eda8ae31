#include "host/SaverApp.h"

#include "host/BlankScreens.h"
#include "host/DesktopFiles.h"
#include "host/NewPasswordDlg.h"
#include "host/Password.h"
#include "host/PasswordDlg.h"
#include "host/PreviewWnd.h"
#include "host/SaverWnd.h"
#include "host/SettingsDlg.h"
#include "host/StringTable.h"
#include "platform/ForeignWindow.h"
#include "platform/ShellOpen.h"
#include "platform/StandardOptions.h"
#include "platform/TempFolder.h"
#include "platform/TerminationSignals.h"
#include "platform/VideoHost.h"
#include "scene/PictureItem.h"
#include "scene/Scene.h"
#include "scene/SceneBlock.h"
#include "scene/ScenePlayers.h"
#include "scene/SceneThread.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kExitFailure = 1;

// Ends the message loop when the window we live in goes away.
void WatchForeignWindow(QObject* context, std::uint64_t windowId) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [windowId] {
        if (!ForeignWindowSize(windowId)) {
            QCoreApplication::exit(0);
        }
    });
    timer->start(250);
}

// The sound and video players, with the media window as a hidden child of
// the saver window.
void InstallPlayers(CSceneThread& thread, QWidget& window) {
    thread.SetMedia(std::make_unique<CScenePlayers>(thread, std::make_shared<CVideoHost>(&window)));
}
} // namespace

CSaverApp::CSaverApp() : scene(std::make_unique<CScene>()) {}

CSaverApp::~CSaverApp() = default;

int CSaverApp::Run(const SaverCommandLine& commandLine) {
    StartUp();
    const int result = Dispatch(commandLine);
    ShutDown();
    return result;
}

void CSaverApp::StartUp() {
    const std::string folder = PrivateTempFolder();
    desktopFile = folder + "desktop.bmp";
    wallpaperFile = folder + "wallpaper.bmp";
    // The name the saver was started by, which for a link is the link's: each
    // link to a player is a saver with settings of its own. The block still
    // comes from the executable itself.
    const QStringList arguments = QCoreApplication::arguments();
    const QString startedAs = arguments.isEmpty() || arguments.first().isEmpty()
                                  ? QCoreApplication::applicationFilePath()
                                  : arguments.first();
    applicationName = QFileInfo(startedAs).fileName().toStdString();
    QCoreApplication::setApplicationName(QString::fromStdString(applicationName));
    profile = std::make_unique<CAppProfile>(LoadStringResource(IDS_REGISTRY_ROOT), applicationName);
}

int CSaverApp::Dispatch(const SaverCommandLine& commandLine) {
    switch (commandLine.mode) {
    case SaverMode::Configure:
        return ConfigureMode(commandLine.ownerIsForeground);
    case SaverMode::Preview:
        return PreviewMode(commandLine);
    case SaverMode::Run:
        return RunMode();
    case SaverMode::ChangePassword:
        return ChangePasswordMode(commandLine);
    case SaverMode::Embedded:
        return EmbeddedMode(commandLine);
    case SaverMode::None:
    case SaverMode::Help:
    case SaverMode::Version:
    case SaverMode::BadOption:
        break;
    }
    return kExitFailure;
}

int CSaverApp::MessageLoop() {
    if (CTerminationSignals::Received()) {
        return 0;
    }
    return QApplication::exec();
}

void CSaverApp::WriteDesktopFiles() {
    // Only pictures of the desktop or of the wallpaper read these files, so
    // only a scene that has them pays for the screen grab, the settings
    // lookups and the composing. The grab still comes before any window.
    if (PrivateTempFolder().empty()) {
        return;
    }
    if (scene->UsesPictureSource(sourceDesktop)) {
        WriteDesktopSnapshot(desktopFile);
    }
    if (scene->UsesPictureSource(sourceWallpaper)) {
        WriteWallpaperImage(wallpaperFile, wallpaperStyle);
    }
}

int CSaverApp::RunMode() {
    if (!LoadSceneBlock(QCoreApplication::applicationFilePath().toStdString(), *scene)) {
        return kExitFailure;
    }
    WriteDesktopFiles();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return kExitFailure;
    }
    auto window = std::make_unique<CSaverWnd>(*profile, exitLink, calibrationCount);
    window->move(screen->geometry().topLeft());
    window->Create(screen->geometry().size(), screen->devicePixelRatio());
    sceneThread =
        std::make_unique<CSceneThread>(window.get(), scene.get(), &calibrationCount, false);
    sceneThread->SetDesktopPictures({desktopFile, wallpaperFile});
    InstallPlayers(*sceneThread, *window);
    window->SetSceneThread(sceneThread.get());
    window->show();
    blankScreens = CoverOtherScreens(*screen, *window);
    window->GrabInput();
    CSaverWnd* saver = window.get();
    saverWindow = std::move(window);
    if (!sceneThread->Start()) {
        saver->DestroyWindow();
        return kExitFailure;
    }
    return MessageLoop();
}

int CSaverApp::EmbeddedMode(const SaverCommandLine& commandLine) {
    const std::uint64_t windowId =
        commandLine.useRootWindow ? RootWindowId() : commandLine.handle.value_or(0);
    const std::optional<QSize> size = ForeignWindowSize(windowId);
    if (!size) {
        return kExitFailure;
    }
    if (!LoadSceneBlock(QCoreApplication::applicationFilePath().toStdString(), *scene)) {
        return kExitFailure;
    }
    WriteDesktopFiles();
    auto window = std::make_unique<CSaverWnd>(*profile, exitLink, calibrationCount,
                                              CSaverWnd::Kind::Embedded);
    EmbedInForeignWindow(*window, windowId);
    window->Create(*size, 1.0);
    sceneThread =
        std::make_unique<CSceneThread>(window.get(), scene.get(), &calibrationCount, false);
    sceneThread->SetDesktopPictures({desktopFile, wallpaperFile});
    InstallPlayers(*sceneThread, *window);
    window->SetSceneThread(sceneThread.get());
    window->show();
    WatchForeignWindow(window.get(), windowId);
    saverWindow = std::move(window);
    if (!sceneThread->Start()) {
        return kExitFailure;
    }
    return MessageLoop();
}

int CSaverApp::PreviewMode(const SaverCommandLine& commandLine) {
    const std::uint64_t parentId = commandLine.handle.value_or(0);
    const std::optional<QSize> size = ForeignWindowSize(parentId);
    if (!size) {
        return kExitFailure; // no parent window: nothing to show
    }
    auto window = std::make_unique<CPreviewWnd>(applicationName);
    EmbedInForeignWindow(*window, parentId);
    if (!window->Create(*size)) {
        return kExitFailure;
    }
    window->show();
    WatchForeignWindow(window.get(), parentId);
    saverWindow = std::move(window);
    return MessageLoop();
}

int CSaverApp::ConfigureMode(bool ownedByForeground) {
    CSettingsDlg dialog(*profile);
    if (ownedByForeground) {
        SetForeignOwner(dialog, ActiveWindowId());
    }
    if (!CTerminationSignals::Received()) {
        dialog.exec();
    }
    return 0;
}

int CSaverApp::ChangePasswordMode(const SaverCommandLine& commandLine) {
    if (!commandLine.handle) {
        return kExitFailure;
    }
    const std::uint64_t ownerId = *commandLine.handle;
    if (ownerId != 0 && !ForeignWindowSize(ownerId)) {
        return kExitFailure;
    }
    const std::string stored = StoredPassword(*profile);
    if (!stored.empty()) {
        CPasswordDlg check(*profile);
        SetForeignOwner(check, ownerId);
        if (CTerminationSignals::Received() || check.exec() != QDialog::Accepted) {
            return 0;
        }
    }
    CNewPasswordDlg dialog(*profile);
    SetForeignOwner(dialog, ownerId);
    if (!CTerminationSignals::Received()) {
        dialog.exec();
    }
    return 0;
}

void CSaverApp::ShutDown() {
    // The window first: destroying it stops the scene thread that uses the
    // scene. The other screens' covers hand their input to it.
    blankScreens.clear();
    saverWindow.reset();
    sceneThread.reset();
    scene.reset();
    std::remove(desktopFile.c_str());
    std::remove(wallpaperFile.c_str());
    RemovePrivateTempFolder();
    if (!exitLink.empty()) {
        ShellOpen(exitLink);
    }
}

int SaverMain(int argc, char** argv) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const SaverCommandLine commandLine =
        ParseCommandLine(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    // Answered without a display, before Qt looks for one; an unknown mode
    // needs none either.
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr, "SceneSaver");
    switch (commandLine.mode) {
    case SaverMode::Help:
        return PrintHelp(SaverUsage(program));
    case SaverMode::Version:
        return PrintVersion(program);
    case SaverMode::BadOption:
        return RejectOption(program, commandLine.option);
    case SaverMode::None:
        std::fprintf(stderr, "%s: unknown mode '%s'\nTry '%s --help' for more information.\n",
                     program.c_str(), arguments.empty() ? "" : arguments[0].c_str(),
                     program.c_str());
        return kExitFailure;
    default:
        break;
    }

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CSaverApp app;
    CTerminationSignals terminationWatcher([] { QCoreApplication::exit(0); });
    return app.Run(commandLine);
}
