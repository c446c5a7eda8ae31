#include "media/MP3Player.h"

#include "platform/WaveOut.h"

#include <atomic>
#include <system_error>
#include <utility>

CMP3Thread::CMP3Thread(std::shared_ptr<CMP3Track> events, Event* sceneStop,
                       const std::uint8_t* data, std::size_t size, bool loop)
    : track(std::move(events)), decoder(track->stop, track->started, sceneStop),
      sceneStop(sceneStop != nullptr ? sceneStop : &neverSet), data(data), size(size), loop(loop) {}

CMP3Thread::~CMP3Thread() {
    Join();
}

bool CMP3Thread::Start() {
    try {
        thread = std::thread([this] { InitInstance(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CMP3Thread::Join() {
    if (thread.joinable()) {
        thread.join();
    }
}

int CMP3Thread::WaitForStop(std::chrono::milliseconds timeout) {
    return Event::waitAny({&track->stop, sceneStop}, timeout);
}

namespace {
// Once a device has opened, the probe before each track is skipped: it costs
// a device open and close, most of the time to the first sound. A worker
// that finds no device asks for the probe again.
std::atomic<bool> deviceSeen = false;
} // namespace

void CMP3Thread::InitInstance() {
    for (;;) {
        const CMP3Decoder::Outcome outcome = decoder.PlayOnce(data, size);
        if (decoder.DeviceFailed()) {
            deviceSeen = false;
        }
        if (outcome == CMP3Decoder::Outcome::Failed) {
            // Nobody may wait for a start that never comes; and a looping
            // track that cannot play must not spin a core trying again.
            track->started.set();
            if (loop && WaitForStop(kFailedPassBackOff) >= 0) {
                break;
            }
        }
        if (!loop || track->stop.isSet() || sceneStop->isSet()) {
            break;
        }
    }
    track->decodeNanoseconds = decoder.DecodeTime().count();
    track->finished.set();
    WaitForStop(std::chrono::milliseconds(-1));
}

CMP3Player::CMP3Player(Event* sceneStop)
    : sceneStop(sceneStop != nullptr ? sceneStop : &neverSet) {}

CMP3Player::~CMP3Player() {
    Stop();
}

bool CMP3Player::Play(const std::uint8_t* data, std::size_t size, bool wait, bool loop) {
    std::shared_ptr<CMP3Track> playing;
    {
        std::lock_guard lock(controlMutex);
        StopLocked();
        // The format every source maps to at most; without a device for it
        // nothing plays and no worker is made.
        if (data == nullptr || size == 0) {
            return false;
        }
        if (!deviceSeen) {
            if (!WaveOut::Probe(22050, 2)) {
                return false;
            }
            deviceSeen = true;
        }
        track = std::make_shared<CMP3Track>();
        worker = std::make_unique<CMP3Thread>(track, sceneStop, data, size, loop);
        if (!worker->Start()) {
            worker.reset();
            track->finished.set();
            return false;
        }
        playing = track;
    }
    if (wait) {
        Event::waitAny({&playing->finished, sceneStop});
    }
    return true;
}

void CMP3Player::Stop() {
    std::lock_guard lock(controlMutex);
    StopLocked();
}

// Joining the worker, rather than waiting for its start, cannot hang: every
// wait of the worker ends on the stop event.
void CMP3Player::StopLocked() {
    if (!worker) {
        return;
    }
    track->stop.set();
    worker->Join();
    worker.reset();
    track->finished.set();
}

bool CMP3Player::IsPlaying() {
    std::lock_guard lock(controlMutex);
    return worker != nullptr && !track->finished.isSet();
}

std::shared_ptr<CMP3Track> CMP3Player::Track() {
    std::lock_guard lock(controlMutex);
    return track;
}
