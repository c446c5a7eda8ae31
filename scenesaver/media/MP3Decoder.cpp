#include "media/MP3Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <mutex>

namespace {
constexpr std::size_t kMaxWaveBuffer = std::size_t{32} << 20;
constexpr std::size_t kSamplesPerFrame = 1152;

void StartCodecLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}
} // namespace

CMP3Decoder::CMP3Decoder(Event& stop, Event& started, Event* sceneStop)
    : stop(stop), started(started), sceneStop(sceneStop != nullptr ? sceneStop : &neverSet) {}

CMP3Decoder::~CMP3Decoder() {
    CloseDevice();
    CloseConversion();
}

std::size_t CMP3Decoder::WaveBufferSize(const MP3FrameHeader& header) {
    const std::uint64_t rate = static_cast<std::uint64_t>(PlaybackRate(header.sampleRate));
    const std::uint64_t channels = static_cast<std::uint64_t>(header.Channels());
    const std::uint64_t bitsPerSecond =
        static_cast<std::uint64_t>(std::max(header.bitRate, 1)) * 1000;
    const std::uint64_t frames = kSourceChunk * 8 * rate / bitsPerSecond + kSamplesPerFrame;
    return static_cast<std::size_t>(std::min<std::uint64_t>(frames * channels, kMaxWaveBuffer));
}

bool CMP3Decoder::Stopping() const {
    return stop.isSet() || sceneStop->isSet();
}

bool CMP3Decoder::OpenConversion(const MP3FrameHeader& header) {
    StartCodecLibrary();
    int error = MPG123_OK;
    stream = mpg123_new(nullptr, &error);
    if (stream == nullptr) {
        return false;
    }
    outputRate = PlaybackRate(header.sampleRate);
    outputChannels = header.Channels();
    // Only the one output format: the codec halves the rate itself where
    // needed and mixes down to mono for a mono source.
    mpg123_param(stream, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    if (mpg123_format_none(stream) != MPG123_OK ||
        mpg123_format(stream, outputRate, outputChannels == 1 ? MPG123_MONO : MPG123_STEREO,
                      MPG123_ENC_UNSIGNED_8) != MPG123_OK ||
        mpg123_open_feed(stream) != MPG123_OK) {
        CloseConversion();
        return false;
    }
    waveBufferSize = WaveBufferSize(header);
    return true;
}

void CMP3Decoder::CloseConversion() {
    if (stream != nullptr) {
        mpg123_delete(stream);
        stream = nullptr;
    }
}

bool CMP3Decoder::OpenDevice() {
    for (auto& buffer : buffers) {
        buffer.assign(waveBufferSize, 0);
    }
    current = 0;
    {
        std::lock_guard lock(flightMutex);
        inFlight = 0;
    }
    bufferDone.reset();
    return device.Open(outputRate, outputChannels, [this] { BufferReturned(); });
}

void CMP3Decoder::CloseDevice() {
    // Closing drops what is still queued; each dropped buffer comes back
    // through the callback, so the count ends at 0.
    device.Close();
    for (auto& buffer : buffers) {
        buffer.clear();
        buffer.shrink_to_fit();
    }
}

void CMP3Decoder::BufferReturned() {
    std::lock_guard lock(flightMutex);
    --inFlight;
    bufferDone.set();
}

// Decodes what the codec holds into the buffer, feeding it the next source
// chunk when it runs dry, at most one chunk per buffer. Output the buffer
// cannot take stays in the codec for the next buffer.
bool CMP3Decoder::Decode(std::uint8_t* out, std::size_t capacity, std::size_t& produced) {
    produced = 0;
    bool fed = false;
    while (produced < capacity) {
        std::size_t done = 0;
        const int result = mpg123_read(stream, out + produced, capacity - produced, &done);
        produced += done;
        if (result == MPG123_OK) {
            continue;
        }
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            if (mpg123_getformat(stream, &rate, &channels, &encoding) != MPG123_OK ||
                rate != outputRate || channels != outputChannels ||
                encoding != MPG123_ENC_UNSIGNED_8) {
                return false;
            }
            continue;
        }
        if (result == MPG123_NEED_MORE) {
            if (consumed >= sourceSize) {
                end = true;
                return true;
            }
            if (fed) {
                return true;
            }
            const std::size_t chunk = std::min(kSourceChunk, sourceSize - consumed);
            if (mpg123_feed(stream, source + consumed, chunk) != MPG123_OK) {
                return false;
            }
            consumed += chunk;
            fed = true;
            continue;
        }
        if (result == MPG123_DONE) {
            end = true;
            return true;
        }
        return false; // a hard codec error
    }
    return true;
}

CMP3Decoder::Fill CMP3Decoder::FillBuffer() {
    std::vector<std::uint8_t>& buffer = buffers[static_cast<std::size_t>(current)];
    std::size_t produced = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool decoded = Decode(buffer.data(), buffer.size(), produced);
    decodeTime += std::chrono::steady_clock::now() - start;
    if (!decoded) {
        return Fill::Failed;
    }
    if (produced == 0) {
        return Fill::Empty;
    }
    {
        std::lock_guard lock(flightMutex);
        ++inFlight;
    }
    if (!device.Write(buffer.data(), produced)) {
        std::lock_guard lock(flightMutex);
        --inFlight;
        return Fill::Failed;
    }
    current = 1 - current;
    return Fill::Written;
}

CMP3Decoder::Outcome CMP3Decoder::PlayOnce(const std::uint8_t* data, std::size_t size) {
    const auto header = ScanFirstFrameHeader(data, size);
    if (!header) {
        return Outcome::Failed;
    }
    source = data;
    sourceSize = size;
    consumed = 0;
    end = false;
    // The leading bytes (a tag, junk) go to the codec too: it skips them.
    if (!OpenConversion(*header)) {
        return Outcome::Failed;
    }
    deviceFailed = !OpenDevice();
    if (deviceFailed) {
        CloseConversion();
        return Outcome::Failed;
    }
    Outcome outcome = Outcome::Failed;
    bool anyWritten = false;
    for (;;) {
        if (Stopping()) {
            outcome = Outcome::Stopped;
            break;
        }
        bool topUp = false;
        {
            std::lock_guard lock(flightMutex);
            if (end && inFlight == 0) {
                outcome = anyWritten ? Outcome::Played : Outcome::Failed;
                break;
            }
            // Top up to two buffers whenever fewer are in flight; otherwise
            // sleep until one comes back.
            topUp = !end && inFlight < 2;
            if (!topUp) {
                bufferDone.reset();
            }
        }
        if (!topUp) {
            Event::waitAny({&bufferDone, &stop, sceneStop});
            continue;
        }
        const Fill fill = FillBuffer();
        if (fill == Fill::Failed) {
            if (!anyWritten) {
                break;
            }
            // A damaged stretch later on: what is queued still plays.
            std::lock_guard lock(flightMutex);
            end = true;
            continue;
        }
        if (fill == Fill::Written && !anyWritten) {
            anyWritten = true;
            started.set();
        }
    }
    CloseDevice();
    CloseConversion();
    return outcome;
}
