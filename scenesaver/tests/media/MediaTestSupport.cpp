#include "MediaTestSupport.h"

#include <mpg123.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> MediaFixture(const std::string& name) {
    auto bytes = ReadBytes(std::filesystem::path(SCENESAVER_MEDIA_FIXTURES) / name);
    EXPECT_FALSE(bytes.empty()) << "missing fixture " << name;
    return bytes;
}

std::vector<std::uint8_t> ReferenceDecode(const std::vector<std::uint8_t>& mp3, long rate,
                                          int channels) {
    mpg123_init();
    int error = 0;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    std::vector<std::uint8_t> pcm;
    if (handle == nullptr) {
        return pcm;
    }
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(handle);
    mpg123_format(handle, rate, channels == 1 ? MPG123_MONO : MPG123_STEREO, MPG123_ENC_UNSIGNED_8);
    mpg123_open_feed(handle);
    mpg123_feed(handle, mp3.data(), mp3.size());
    std::vector<unsigned char> block(65536);
    for (;;) {
        std::size_t done = 0;
        const int result = mpg123_read(handle, block.data(), block.size(), &done);
        pcm.insert(pcm.end(), block.begin(), block.begin() + static_cast<long>(done));
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            break;
        }
    }
    mpg123_delete(handle);
    return pcm;
}

int CountOccurrences(const std::vector<std::uint8_t>& haystack,
                     const std::vector<std::uint8_t>& needle) {
    if (needle.empty()) {
        return 0;
    }
    int count = 0;
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    auto at = haystack.begin();
    while ((at = std::search(at, haystack.end(), searcher)) != haystack.end()) {
        ++count;
        at += static_cast<long>(needle.size());
    }
    return count;
}

DiskAudio::DiskAudio(int delayMilliseconds) {
    char pattern[] = "/tmp/media-test-XXXXXX";
    folder = mkdtemp(pattern);
    pipe = folder / "played.pcm";
    mkfifo(pipe.c_str(), 0600);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);
    if (delayMilliseconds > 0) {
        setenv("SDL_DISKAUDIODELAY", std::to_string(delayMilliseconds).c_str(), 1);
    } else {
        unsetenv("SDL_DISKAUDIODELAY");
    }
    reader = std::thread([this] { Collect(); });
}

DiskAudio::~DiskAudio() {
    stopping = true;
    // A reader waiting for the next writer is let go by one of our own; one
    // that has not opened the pipe yet sees the flag first.
    while (!readerDone) {
        const int wake = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (wake >= 0) {
            close(wake);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reader.join();
    std::filesystem::remove_all(folder);
}

void DiskAudio::Collect() {
    std::vector<std::uint8_t> block(65536);
    while (!stopping) {
        const int fd = open(pipe.c_str(), O_RDONLY);
        if (fd < 0) {
            break;
        }
        ssize_t count = 0;
        while ((count = read(fd, block.data(), block.size())) > 0) {
            std::lock_guard lock(playedMutex);
            played.insert(played.end(), block.begin(), block.begin() + count);
        }
        close(fd);
    }
    readerDone = true;
}

std::vector<std::uint8_t> DiskAudio::Played() {
    std::lock_guard lock(playedMutex);
    return played;
}

std::size_t DiskAudio::PlayedSize() {
    std::lock_guard lock(playedMutex);
    return played.size();
}

long ProcessorMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}
