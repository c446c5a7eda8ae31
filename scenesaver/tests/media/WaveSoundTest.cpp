// Wave sounds from memory on the disk driver, and the RIFF check before them.

#include "platform/WaveSound.h"
#include "MediaTestSupport.h"
#include "platform/WaveCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <future>

using namespace std::chrono_literals;

namespace {
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// A PCM wave file around the samples.
std::vector<std::uint8_t> WaveFile(int channels, int rate, int bits,
                                   const std::vector<std::uint8_t>& samples) {
    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    PutU32(out, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + samples.size()));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(channels));
    PutU32(out, static_cast<std::uint32_t>(rate));
    PutU32(out, static_cast<std::uint32_t>(rate * channels * bits / 8));
    PutU16(out, static_cast<std::uint16_t>(channels * bits / 8));
    PutU16(out, static_cast<std::uint16_t>(bits));
    PutTag(out, "data");
    PutU32(out, static_cast<std::uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

// Samples no stretch of silence or of another sound looks like.
std::vector<std::uint8_t> Pattern(std::size_t count, int seed) {
    std::vector<std::uint8_t> samples(count);
    std::uint32_t state = static_cast<std::uint32_t>(seed) * 2654435761u + 1;
    for (auto& sample : samples) {
        state = state * 1103515245u + 12345u;
        sample = static_cast<std::uint8_t>(state >> 16);
    }
    return samples;
}
} // namespace

TEST(WaveSound, PlaysTheExactSamplesFromMemoryWhenWaitedFor) {
    DiskAudio disk;
    CWaveSound sound;
    struct Case {
        int channels, rate, bits;
    };
    for (const Case c : {Case{1, 11025, 8}, Case{2, 22050, 16}, Case{1, 44100, 16}}) {
        const auto samples = Pattern(6000, c.rate + c.channels);
        const auto file = WaveFile(c.channels, c.rate, c.bits, samples);
        const std::size_t before = disk.PlayedSize();
        ASSERT_TRUE(sound.Play(file.data(), file.size(), true, false, nullptr)) << c.rate;
        EXPECT_FALSE(sound.IsPlaying()) << "a waited-for sound has ended on return";
        EXPECT_TRUE(Eventually(
            [&] {
                auto played = disk.Played();
                played.erase(played.begin(), played.begin() + static_cast<long>(before));
                return CountOccurrences(played, samples) == 1;
            },
            5s))
            << c.rate;
    }
}

TEST(WaveSound, ANewSoundReplacesALoopAndANullPlayStopsIt) {
    DiskAudio disk;
    CWaveSound sound;
    const auto first = Pattern(3000, 1);
    const auto second = Pattern(3000, 2);
    const auto looping = WaveFile(1, 11025, 8, first);
    const auto next = WaveFile(1, 11025, 8, second);

    ASSERT_TRUE(sound.Play(looping.data(), looping.size(), false, true, nullptr));
    ASSERT_TRUE(Eventually([&] { return CountOccurrences(disk.Played(), first) >= 3; }))
        << "the loop plays again and again";
    ASSERT_TRUE(sound.Play(next.data(), next.size(), true, false, nullptr));
    ASSERT_TRUE(Eventually([&] { return CountOccurrences(disk.Played(), second) == 1; }, 5s));
    const int loops = CountOccurrences(disk.Played(), first);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(CountOccurrences(disk.Played(), first), loops) << "the loop ended at the new sound";

    ASSERT_TRUE(sound.Play(looping.data(), looping.size(), false, true, nullptr));
    ASSERT_TRUE(Eventually([&] { return CountOccurrences(disk.Played(), first) > loops; }));
    sound.Stop();
    EXPECT_FALSE(sound.IsPlaying());
    std::this_thread::sleep_for(200ms);
    const int stoppedAt = CountOccurrences(disk.Played(), first);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(CountOccurrences(disk.Played(), first), stoppedAt);
}

TEST(WaveSound, AWaitedSoundEndsOnTheStopEvent) {
    DiskAudio disk(0);
    CWaveSound sound;
    const auto file = WaveFile(1, 8000, 8, Pattern(80000, 3)); // ten seconds
    Event stop;
    auto waiting = std::async(std::launch::async, [&] {
        return sound.Play(file.data(), file.size(), true, false, &stop);
    });
    EXPECT_EQ(waiting.wait_for(300ms), std::future_status::timeout);
    stop.set();
    ASSERT_EQ(waiting.wait_for(2s), std::future_status::ready);
    sound.Stop();
}

TEST(WaveSound, BytesThatAreNoWaveSoundPlayNothing) {
    DiskAudio disk;
    CWaveSound sound;
    const std::vector<std::uint8_t> junk(500, 0x42);
    EXPECT_FALSE(sound.Play(junk.data(), junk.size(), true, false, nullptr));
    EXPECT_FALSE(sound.Play(nullptr, 0, false, false, nullptr));
    EXPECT_FALSE(sound.IsPlaying());
}

TEST(WaveCheck, AcceptsOnlyChunksInsideTheBlockWithAFormatFirst) {
    const auto good = WaveFile(2, 22050, 16, Pattern(40, 4));
    const auto layout = CheckWaveBytes(good.data(), good.size());
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->channels, 2);
    EXPECT_EQ(layout->sampleRate, 22050);
    EXPECT_EQ(layout->bitsPerSample, 16);
    EXPECT_EQ(layout->dataOffset, 44u);
    EXPECT_EQ(layout->dataSize, 40u);

    auto withOddChunk = good;
    {
        // An odd-sized chunk before the format, padded to even.
        std::vector<std::uint8_t> list;
        PutTag(list, "LIST");
        PutU32(list, 3);
        list.insert(list.end(), {'a', 'b', 'c', 0});
        withOddChunk.insert(withOddChunk.begin() + 12, list.begin(), list.end());
        const std::uint32_t riff = static_cast<std::uint32_t>(withOddChunk.size() - 8);
        std::memcpy(withOddChunk.data() + 4, &riff, 4);
    }
    EXPECT_TRUE(CheckWaveBytes(withOddChunk.data(), withOddChunk.size()).has_value());

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    auto edited = [&](std::size_t at, std::uint32_t value) {
        auto bytes = good;
        std::memcpy(bytes.data() + at, &value, 4);
        return bytes;
    };
    const Case bad[] = {
        {"cut inside the samples", {good.begin(), good.end() - 1}},
        {"a RIFF size that ends before the samples", edited(4, 30)},
        {"a data size past the end", edited(40, 0x7FFFFFF0)},
        {"no format chunk",
         [] {
             std::vector<std::uint8_t> bytes;
             PutTag(bytes, "RIFF");
             PutU32(bytes, 16);
             PutTag(bytes, "WAVE");
             PutTag(bytes, "data");
             PutU32(bytes, 0);
             return bytes;
         }()},
        {"a format SDL does not know",
         [&] {
             auto bytes = good;
             bytes[20] = 0x55;
             return bytes;
         }()},
        {"no channels",
         [&] {
             auto bytes = good;
             bytes[22] = 0;
             return bytes;
         }()},
        {"not RIFF", {good.begin() + 4, good.end()}},
    };
    for (const Case& c : bad) {
        EXPECT_FALSE(CheckWaveBytes(c.bytes.data(), c.bytes.size()).has_value()) << c.what;
    }
}
