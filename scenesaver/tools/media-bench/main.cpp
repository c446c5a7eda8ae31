// media-bench: what the media players cost, next to the libraries' own
// floor measured in the same run on the same files.
//
//   media-bench [--quick]
//
// It makes its own files with sox, lame and ffmpeg (a 60 s tune, a 20 s
// 640x480 video at 25 frames a second) and plays sound on SDL's disk driver
// into /dev/null, so no sound device is needed. --quick shortens the real-time
// parts (a 10 s track, a 5 s video).

#include "media/MP3Player.h"
#include "platform/VideoStream.h"

#include <mpg123.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double ProcessorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs a command to its end; false when it failed.
bool Run(const std::vector<std::string>& arguments) {
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The floor: libmpg123 alone decoding the whole block to the same format.
double BareDecodeSeconds(const std::vector<std::uint8_t>& mp3) {
    const auto start = Clock::now();
    int error = 0;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(handle);
    mpg123_format(handle, 22050, MPG123_STEREO, MPG123_ENC_UNSIGNED_8);
    mpg123_open_feed(handle);
    std::vector<unsigned char> out(1 << 20);
    std::size_t fed = 0;
    for (;;) {
        std::size_t done = 0;
        const int result = mpg123_read(handle, out.data(), out.size(), &done);
        if (result == MPG123_NEED_MORE) {
            if (fed >= mp3.size()) {
                break;
            }
            const std::size_t chunk = std::min<std::size_t>(131072, mp3.size() - fed);
            mpg123_feed(handle, mp3.data() + fed, chunk);
            fed += chunk;
        } else if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            break;
        }
    }
    mpg123_delete(handle);
    return Seconds(Clock::now() - start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Row(const char* what, const std::string& ours, const std::string& floor,
         const std::string& ratio, const char* goal) {
    std::printf("| %-44s | %14s | %14s | %7s | %-12s |\n", what, ours.c_str(), floor.c_str(),
                ratio.c_str(), goal);
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    const int trackSeconds = quick ? 10 : 60;
    const int videoSeconds = quick ? 5 : 20;

    char pattern[] = "/tmp/media-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const fs::path folder = pattern;
    const fs::path wave = folder / "tune.wav";
    const fs::path mp3Path = folder / "tune.mp3";
    const fs::path video = folder / "video.avi";
    std::fprintf(stderr, "making a %d s tune and a %d s video...\n", trackSeconds, videoSeconds);
    if (!Run({"sox", "-q", "-n", "-r", "44100", "-c", "2", "-b", "16", wave.string(), "synth",
              std::to_string(trackSeconds), "sine", "220-880", "sine", "330-990", "gain", "-6"}) ||
        !Run({"lame", "--quiet", "-b", "128", wave.string(), mp3Path.string()}) ||
        !Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
              "testsrc2=size=640x480:rate=25", "-t", std::to_string(videoSeconds), "-c:v", "mpeg4",
              "-q:v", "4", "-an", video.string()})) {
        std::fprintf(stderr, "media-bench: sox, lame and ffmpeg are needed (scripts/setup)\n");
        fs::remove_all(folder);
        return 1;
    }
    const std::vector<std::uint8_t> mp3 = ReadFile(mp3Path);

    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);

    std::printf("| %-44s | %14s | %14s | %7s | %-12s |\n", "measure", "ours", "floor", "ratio",
                "goal");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(16, '-').c_str(),
                std::string(16, '-').c_str(), std::string(9, '-').c_str(),
                std::string(14, '-').c_str());

    // 1. The codec's time inside the pipeline (chunks fed, two buffers
    //    filled), with the disk driver taking the sound as fast as it comes.
    {
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        CMP3Player player;
        std::vector<double> ours;
        std::vector<double> bare;
        for (int run = 0; run < 3; ++run) {
            player.Play(mp3.data(), mp3.size(), true, false);
            ours.push_back(static_cast<double>(player.Track()->decodeNanoseconds) / 1e9);
            player.Stop();
            bare.push_back(BareDecodeSeconds(mp3));
        }
        const double o = Median(ours);
        const double b = Median(bare);
        Row(("MP3 pipeline, " + std::to_string(trackSeconds) + " s track, decode time").c_str(),
            Format("%.3f s", o), Format("%.3f s", b) + "*", Format("%.2fx", o / b), "<= 1.2x");
    }

    // 2. to 4. In real time.
    unsetenv("SDL_DISKAUDIODELAY");
    {
        CMP3Player player;
        std::vector<double> firstBuffer;
        std::vector<double> stop;
        for (int run = 0; run < 5; ++run) {
            const auto start = Clock::now();
            player.Play(mp3.data(), mp3.size(), false, false);
            player.Track()->started.wait();
            firstBuffer.push_back(Seconds(Clock::now() - start) * 1000);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const auto stopStart = Clock::now();
            player.Stop();
            stop.push_back(Seconds(Clock::now() - stopStart) * 1000);
        }
        Row("Play -> first buffer playing (median of 5)", Format("%.1f ms", Median(firstBuffer)),
            "-", "-", "< 50 ms");
        Row("Stop -> worker gone (median of 5)", Format("%.1f ms", Median(stop)), "-", "-",
            "< 100 ms");

        const double before = ProcessorSeconds(RUSAGE_SELF);
        const auto start = Clock::now();
        player.Play(mp3.data(), mp3.size(), true, false);
        const double wall = Seconds(Clock::now() - start);
        const double used = ProcessorSeconds(RUSAGE_SELF) - before;
        player.Stop();
        Row(("processor while a " + std::to_string(trackSeconds) + " s track plays").c_str(),
            Format("%.2f %% core", 100 * used / wall), "-", "-", "< 1 %");
    }

    // 5. The video, paced by its time stamps, against ffmpeg decoding it.
    {
        CVideoStream stream;
        if (!stream.Open(video.string())) {
            std::fprintf(stderr, "media-bench: the video does not open\n");
            fs::remove_all(folder);
            return 1;
        }
        const double before = ProcessorSeconds(RUSAGE_SELF);
        stream.Start(false, true, [](const QImage&) {});
        stream.EndedEvent()->wait();
        const double ours = ProcessorSeconds(RUSAGE_SELF) - before;
        const std::uint64_t dropped = stream.FramesDropped();
        const std::uint64_t shown = stream.FramesShown();
        stream.Close();

        const double childrenBefore = ProcessorSeconds(RUSAGE_CHILDREN);
        Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-threads", "1", "-i", video.string(),
             "-f", "null", "-"});
        const double floor = ProcessorSeconds(RUSAGE_CHILDREN) - childrenBefore;
        Row("640x480 25 fps video, processor time", Format("%.3f s", ours),
            Format("%.3f s", floor) + "**", Format("%.2fx", ours / floor), "<= 1.3x");
        Row("640x480 25 fps video, frames dropped",
            std::to_string(dropped) + " of " + std::to_string(shown + dropped), "-", "-", "0");
    }
    std::printf("\n*  libmpg123 alone, feed mode, the same 8-bit 22 kHz output\n"
                "** ffmpeg -threads 1 -i video -f null - (decoding only, no conversion)\n");
    fs::remove_all(folder);
    return 0;
}
