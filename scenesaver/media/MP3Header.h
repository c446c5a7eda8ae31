#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The fields of an MPEG audio frame header that playback needs.
struct MP3FrameHeader {
    double version = 0;     // 1.0, 2.0 or 2.5
    int layer = 0;          // 1 to 3
    int bitRate = 0;        // kbit/s
    int sampleRate = 0;     // Hz
    int channelMode = 0;    // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
    std::size_t offset = 0; // where in the block the header starts

    int Channels() const { return channelMode == 3 ? 1 : 2; }
};

// How many offsets the scan looks at for the first frame header.
inline constexpr std::size_t kHeaderScanLength = 10240;

// Decodes a big-endian header word; empty when the word is no frame header
// (no sync, reserved version, layer, bit rate, sample rate or emphasis).
std::optional<MP3FrameHeader> ParseFrameHeader(std::uint32_t word);

// The size of an ID3v2 tag at the start of the block, footer included; 0 when
// the block does not start with a well-formed tag header.
std::size_t ID3v2TagSize(const std::uint8_t* data, std::size_t size);

// The first frame header among the kHeaderScanLength offsets that follow an
// ID3v2 tag at the start (or the start itself when there is none); empty
// when none of them holds one.
std::optional<MP3FrameHeader> ScanFirstFrameHeader(const std::uint8_t* data, std::size_t size);

// The rate the saver plays a source rate at: 32, 44.1 and 48 kHz are halved.
int PlaybackRate(int sourceRate);
