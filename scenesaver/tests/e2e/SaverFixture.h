#pragma once

#include "E2ESupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A format 4.0 scene block with one pause item, written out by hand.
std::string SceneBlock(const std::string& signature);

// Each test gets its own X server, settings folder and temporary folder, and
// makes saver executables by appending blocks to copies of the bare player.
class SaverEndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string MakeSaver(const std::string& name, const std::string& block);
    // Skips the one-second speed measurement in tests that are not about it.
    static void StoreCalibration();

    std::string Tool(const std::vector<std::string>& arguments, int* status = nullptr);
    // The first visible window of the process, waiting up to 20 s for it.
    std::string WaitForWindow(pid_t pid);
    std::string WindowInfo(const std::string& id);
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
