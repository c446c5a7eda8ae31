#pragma once

#include "media/MP3Decoder.h"
#include "platform/Event.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// The three events of one track: the player sets stop, the worker sets
// started once the first buffer plays (or it gave up) and finished when the
// track has ended; Stop sets finished too. Each track has its own, so that a
// waiting Play on one thread cannot miss its track's end when another thread
// starts the next one.
struct CMP3Track {
    Event stop;
    Event started;
    Event finished;
    std::atomic<long long> decodeNanoseconds = 0; // the codec's time, once finished
};

// The worker that plays one track, made afresh for each. It plays the block
// once, or pass after pass while looping, sets the finished event, and then
// waits for the stop before it ends.
class CMP3Thread {
public:
    CMP3Thread(std::shared_ptr<CMP3Track> track, Event* sceneStop, const std::uint8_t* data,
               std::size_t size, bool loop);
    ~CMP3Thread();
    CMP3Thread(const CMP3Thread&) = delete;
    CMP3Thread& operator=(const CMP3Thread&) = delete;

    bool Start();
    void Join();

    // The pause between two failing passes of a looping track.
    static constexpr std::chrono::milliseconds kFailedPassBackOff{1000};

private:
    void InitInstance();
    int WaitForStop(std::chrono::milliseconds timeout);

    std::shared_ptr<CMP3Track> track;
    CMP3Decoder decoder;
    Event* sceneStop;
    Event neverSet;
    const std::uint8_t* data;
    std::size_t size;
    bool loop;
    std::thread thread;
};

// Plays MP3 blocks on a worker thread of its own. Play and Stop may be called
// from any thread; the block must stay valid until the track is stopped.
class CMP3Player {
public:
    // Every wait of the worker and of a waiting Play also ends when the
    // scene's stop event is set; it may be null.
    explicit CMP3Player(Event* sceneStop = nullptr);
    ~CMP3Player();
    CMP3Player(const CMP3Player&) = delete;
    CMP3Player& operator=(const CMP3Player&) = delete;

    // Stops the current track and starts this one; with wait it returns when
    // the track has ended, been stopped, or the scene is stopping. False
    // when nothing was started (no sound device, no data).
    bool Play(const std::uint8_t* data, std::size_t size, bool wait, bool loop);
    void Stop();
    bool IsPlaying();

    // The events of the current (or last) track; never null.
    std::shared_ptr<CMP3Track> Track();

private:
    void StopLocked();

    Event* sceneStop;
    Event neverSet;
    std::mutex controlMutex;
    std::shared_ptr<CMP3Track> track = std::make_shared<CMP3Track>();
    std::unique_ptr<CMP3Thread> worker;
};
