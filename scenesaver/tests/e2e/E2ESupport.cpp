#include "E2ESupport.h"

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

extern char** environ;

namespace {
// Waits until the server has handled every request sent so far.
void RoundTrip(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}
} // namespace

namespace {
std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

int DecodeStatus(int raw) {
    if (WIFEXITED(raw)) {
        return WEXITSTATUS(raw);
    }
    return 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
}

pid_t Spawn(std::vector<std::string> arguments, std::vector<std::string> environment,
            posix_spawn_file_actions_t* actions) {
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) != 0) {
        return -1;
    }
    return pid;
}
} // namespace

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (!overrides.contains(name)) {
            result.push_back(text);
        }
    }
    for (const auto& [name, value] : overrides) {
        if (!value.empty()) {
            result.push_back(name + "=" + value);
        }
    }
    return result;
}

XServer::XServer(const std::vector<std::string>& screens) {
    std::array<int, 2> fds{};
    if (pipe(fds.data()) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The read end may itself be descriptor 3: close it before the write end
    // takes that number.
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> arguments{"Xvfb", "-displayfd", "3"};
    for (std::size_t i = 0; i < screens.size(); ++i) {
        arguments.insert(arguments.end(), {"-screen", std::to_string(i), screens[i]});
    }
    arguments.insert(arguments.end(), {"-wr", "-nolisten", "tcp"});
    pid = Spawn(arguments, MergedEnvironment({}), &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    pollfd waiter{fds[0], POLLIN, 0};
    while (pid > 0 && poll(&waiter, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number.push_back(c);
    }
    close(fds[0]);
    if (!number.empty()) {
        display = ":" + number;
    }
}

XServer::~XServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        int raw = 0;
        waitpid(pid, &raw, 0);
    }
}

Process::Process(const std::vector<std::string>& arguments,
                 const std::map<std::string, std::string>& environment,
                 const std::string& outputFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid = Spawn(arguments, MergedEnvironment(environment), &actions);
    posix_spawn_file_actions_destroy(&actions);
}

Process::~Process() {
    if (pid > 0 && !status) {
        kill(pid, SIGKILL);
        int raw = 0;
        waitpid(pid, &raw, 0);
    }
}

std::optional<int> Process::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pid > 0 && !status) {
        int raw = 0;
        const pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            status = DecodeStatus(raw);
        } else if (done < 0 || std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return status;
}

void Process::Signal(int signal) {
    if (pid > 0 && !status) {
        kill(pid, signal);
    }
}

std::string RunTool(const std::vector<std::string>& arguments,
                    const std::map<std::string, std::string>& environment, int* exitStatus) {
    std::array<int, 2> fds{};
    if (pipe(fds.data()) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const pid_t pid = Spawn(arguments, MergedEnvironment(environment), &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string output;
    std::array<char, 4096> buffer{};
    ssize_t got = 0;
    while ((got = read(fds[0], buffer.data(), buffer.size())) > 0) {
        output.append(buffer.data(), static_cast<size_t>(got));
    }
    close(fds[0]);
    int raw = 0;
    if (pid > 0) {
        waitpid(pid, &raw, 0);
    }
    if (exitStatus != nullptr) {
        *exitStatus = pid > 0 ? DecodeStatus(raw) : -1;
    }
    return output;
}

XClient::XClient(const std::string& display) {
    int screenNumber = 0;
    xcb_connection_t* opened = xcb_connect(display.c_str(), &screenNumber);
    if (xcb_connection_has_error(opened) != 0) {
        xcb_disconnect(opened);
        return;
    }
    connection = opened;
    // The screen the display name picks (":1.1" is screen 1).
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_screen_t* screen = screens.data;
    root = screen->root;
    rootWidth = screen->width_in_pixels;
    rootHeight = screen->height_in_pixels;
}

XClient::~XClient() {
    if (connection != nullptr) {
        xcb_disconnect(connection);
    }
}

std::uint32_t XClient::CreateWindow(int width, int height, bool map) {
    if (connection == nullptr) {
        return 0;
    }
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t black = 0;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL,
                      &black);
    if (map) {
        xcb_map_window(connection, window);
    }
    RoundTrip(connection);
    return window;
}

void XClient::DestroyWindow(std::uint32_t window) {
    if (connection != nullptr) {
        xcb_destroy_window(connection, window);
        RoundTrip(connection);
    }
}

void XClient::MovePointer(int x, int y) {
    if (connection != nullptr) {
        xcb_warp_pointer(connection, XCB_NONE, root, 0, 0, 0, 0, static_cast<std::int16_t>(x),
                         static_cast<std::int16_t>(y));
        xcb_flush(connection);
    }
}

XClient::Screen XClient::GrabScreen() {
    Screen grabbed;
    if (connection == nullptr) {
        return grabbed;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        return grabbed;
    }
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0,
                                          static_cast<std::uint16_t>(rootWidth),
                                          static_cast<std::uint16_t>(rootHeight), ~0U),
                            nullptr);
    if (reply == nullptr) {
        return grabbed;
    }
    const std::size_t count =
        static_cast<std::size_t>(rootWidth) * static_cast<std::size_t>(rootHeight);
    const int length = xcb_get_image_data_length(reply);
    if (reply->depth == 24 && length >= 0 && static_cast<std::size_t>(length) == count * 4) {
        grabbed.width = rootWidth;
        grabbed.height = rootHeight;
        grabbed.pixels.resize(count);
        std::memcpy(grabbed.pixels.data(), xcb_get_image_data(reply), count * 4);
        for (std::uint32_t& pixel : grabbed.pixels) {
            pixel |= 0xff000000U;
        }
    }
    std::free(reply);
    return grabbed;
}
