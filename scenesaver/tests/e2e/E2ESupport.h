#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Runs the real program on an X server of its own (Xvfb), so that the test
// neither disturbs nor is disturbed by whatever else uses the test display.
class XServer {
public:
    // Starts Xvfb with a white root window, so that anything black on
    // screen was drawn by the program: one X screen of each size given
    // ("640x480x24"). Display() is empty when the server did not start.
    explicit XServer(const std::vector<std::string>& screens = {"640x480x24"});
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& Display() const { return display; }

private:
    pid_t pid = -1;
    std::string display;
};

// A child process with its own environment.
class Process {
public:
    Process(const std::vector<std::string>& arguments,
            const std::map<std::string, std::string>& environment,
            const std::string& outputFile = "/dev/null");
    ~Process(); // kills a child that is still running
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t Pid() const { return pid; }
    // The exit status, or empty when it was still running after the wait;
    // a death by signal gives 128 + the signal number.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    void Signal(int signal);

private:
    pid_t pid = -1;
    std::optional<int> status;
};

// Runs a tool to its end and returns what it wrote to standard output.
std::string RunTool(const std::vector<std::string>& arguments,
                    const std::map<std::string, std::string>& environment,
                    int* exitStatus = nullptr);

// The environment of this process with the given values replaced.
std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& overrides);

struct xcb_connection_t;

// A connection of the test's own to the X server, for windows that stand in
// for other programs' windows.
class XClient {
public:
    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool Connected() const { return connection != nullptr; }
    // A top-level window; unmapped windows only make the server report them.
    std::uint32_t CreateWindow(int width, int height, bool map);
    void DestroyWindow(std::uint32_t window);

    // Moves the pointer at once, without starting a tool: for measuring how
    // quickly the program answers a move.
    void MovePointer(int x, int y);

    // The whole screen as it is now, in one request: far quicker than a
    // screenshot tool, so that screens shown for a moment are caught.
    struct Screen {
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels; // 0xffRRGGBB, top row first
    };
    // Empty pixels when the server keeps pixels in another form than 32-bit
    // little-endian words.
    Screen GrabScreen();

private:
    xcb_connection_t* connection = nullptr;
    std::uint32_t root = 0;
    int rootWidth = 0;
    int rootHeight = 0;
};
