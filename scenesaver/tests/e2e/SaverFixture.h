#pragma once

#include "E2ESupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Each test gets its own X server, settings folder and temporary folder, and
// makes its saver executables with scenepack.
class SaverEndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A saver made by scenepack from a manifest of the tests' folder (or
    // any other, given by its full path); with a broken signature the block
    // no longer names itself as a scene.
    enum class Signature { Valid, Broken };
    std::string MakeSaver(const std::string& name, Signature signature = Signature::Valid,
                          const std::string& manifest = "scene.json");
    // Skips the one-second speed measurement in tests that are not about it.
    static void StoreCalibration();

    std::string Tool(const std::vector<std::string>& arguments, int* status = nullptr);
    // The first visible window of the process, waiting up to 20 s for it.
    std::string WaitForWindow(pid_t pid);
    std::string WindowInfo(const std::string& id);
    // The ids of the process's visible windows now.
    std::vector<std::string> VisibleWindows(pid_t pid);
    // Sets the saver password as the settings program does: change-password
    // mode with no owner, the password typed twice.
    void SetPasswordWithChangeMode(const std::string& saver, const std::string& password);
    // Moves the mouse between two places until the process ends; the exit
    // status, or empty after 20 s. The window system may merge moves that
    // arrive together, so one move at a time is given time to be seen.
    std::optional<int> MoveMouseUntilExit(Process& process);
    // Waits until a screenshot of the whole screen is black.
    bool ScreenTurnsBlack();
    std::vector<std::string> PrivateTempFolders();
    // Records every window mapped on the server while the watcher lives.
    std::unique_ptr<Process> WatchMaps();
    bool AnyWindowMapped();

    XServer server;
    std::filesystem::path root;
    std::map<std::string, std::string> environment;
};
