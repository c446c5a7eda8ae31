#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The bytes of a file; empty when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
// A fixture made at build time by make-media-fixtures.
std::vector<std::uint8_t> MediaFixture(const std::string& name);

// What a bare libmpg123 decode makes of the block at that rate and channel
// count, as 8-bit unsigned PCM: the reference the player's output must match.
std::vector<std::uint8_t> ReferenceDecode(const std::vector<std::uint8_t>& mp3, long rate,
                                          int channels);

// How often `needle` occurs in `haystack`, without overlaps.
int CountOccurrences(const std::vector<std::uint8_t>& haystack,
                     const std::vector<std::uint8_t>& needle);

// Everything SDL's disk driver plays, collected from a named pipe: each
// device opened writes to the pipe afresh, so that what several devices play
// one after another (the passes of a loop) is all kept, in order. Set up
// before the first sound of the process. With a delay of 0 the driver plays
// at the pace of the sound; otherwise each period takes that many ms.
class DiskAudio {
public:
    explicit DiskAudio(int delayMilliseconds = 1);
    ~DiskAudio();
    DiskAudio(const DiskAudio&) = delete;
    DiskAudio& operator=(const DiskAudio&) = delete;

    std::vector<std::uint8_t> Played();
    std::size_t PlayedSize();

private:
    void Collect();

    std::filesystem::path folder;
    std::filesystem::path pipe;
    std::atomic<bool> stopping = false;
    std::atomic<bool> readerDone = false;
    std::mutex playedMutex;
    std::vector<std::uint8_t> played;
    std::thread reader;
};

// Polls until the condition holds or the (generous) deadline passes.
template <typename Condition>
bool Eventually(Condition condition,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(20000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Eventually, running the window thread's queue meanwhile: for work queued
// to widgets from other threads.
template <typename Condition>
bool PumpUntil(Condition condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(20000)) {
    return Eventually(
        [&] {
            QApplication::processEvents();
            return condition();
        },
        timeout);
}

// Processor time of this process so far, in milliseconds.
long ProcessorMilliseconds();
