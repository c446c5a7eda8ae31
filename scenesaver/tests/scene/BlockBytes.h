#pragma once

// Hand encoding of scene blocks for tests: each call appends the bytes of one
// stored value exactly as the format defines them, so that the reader is
// checked against bytes that no writer of ours produced.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

class BlockBytes {
public:
    std::vector<std::uint8_t> bytes;

    BlockBytes& Byte(std::uint8_t value) {
        bytes.push_back(value);
        return *this;
    }
    BlockBytes& Raw(std::initializer_list<std::uint8_t> values) {
        bytes.insert(bytes.end(), values);
        return *this;
    }
    BlockBytes& U16(std::uint16_t value) {
        return Byte(static_cast<std::uint8_t>(value)).Byte(static_cast<std::uint8_t>(value >> 8));
    }
    BlockBytes& U32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            Byte(static_cast<std::uint8_t>(value >> (8 * i)));
        }
        return *this;
    }
    BlockBytes& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
    BlockBytes& Flag(bool value) { return U32(value ? 1 : 0); }
    BlockBytes& F32(float value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return U32(bits);
    }
    BlockBytes& Point(std::int32_t x, std::int32_t y) { return I32(x).I32(y); }

    // A plain string of fewer than 255 characters: one length byte.
    BlockBytes& Str(std::string_view text) {
        Byte(static_cast<std::uint8_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    // Every character lowered by (length mod 11) + 3.
    BlockBytes& Scrambled(std::string_view text) {
        Byte(static_cast<std::uint8_t>(text.size()));
        return ScrambledRaw(std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    BlockBytes& ScrambledRaw(const std::vector<std::uint8_t>& plain) {
        const auto shift = static_cast<std::uint8_t>(plain.size() % 11 + 3);
        for (std::uint8_t byte : plain) {
            Byte(static_cast<std::uint8_t>(byte - shift));
        }
        return *this;
    }

    // Reserved value, signature and version.
    BlockBytes& BlockHead(float version, std::string_view signature = "SceneSaverBlock") {
        return U32(0).Str(signature).F32(version);
    }
    // Kind, label, reserved value, disabled flag.
    BlockBytes& ItemHead(std::uint32_t kind, std::string_view label, bool disabled = false,
                         std::uint32_t reserved = 0) {
        return U32(kind).Scrambled(label).U32(reserved).Flag(disabled);
    }
    // The common part of a placement with recognisable values.
    BlockBytes& PlacementCommon() {
        return Point(11, 12) // start
            .Point(21, 22)   // end
            .Point(3, 4)     // step
            .Flag(false)     // horizontal
            .U32(1)          // x end test
            .Point(31, 32)   // end bound
            .Flag(true)      // both tests
            .U32(2)          // y end test
            .Flag(true)      // free motion
            .U32(99000)      // motion speed
            .U32(1500)       // typewriter delay
            .Flag(true);     // typewriter
    }
    // A placement as format 4.0 stores it.
    BlockBytes& Placement40(std::uint32_t effect = 0, std::uint32_t speed = 100) {
        return U32(5)
            .U32(5)
            .U32(5)
            .U32(5)
            .PlacementCommon()
            .Flag(false)
            .Flag(false)
            .U32(effect)
            .U32(speed);
    }
    BlockBytes& ColorBlock(std::uint32_t color = 0, std::uint32_t rop = 0, bool random = false,
                           bool screen = true) {
        return U32(color).U32(rop).Flag(random).Flag(screen);
    }

    // Items as format 4.0 stores them.
    BlockBytes& ImagePicture40(std::string_view label, const std::vector<std::uint8_t>& image,
                               bool disabled = false) {
        ItemHead(0, label, disabled)
            .U32(0)
            .Flag(true)
            .U32(1)
            .U32(static_cast<std::uint32_t>(image.size()));
        if (!image.empty()) {
            Scrambled("picture.bmp").ScrambledRaw(image);
        }
        return *this;
    }
    BlockBytes& Media40(std::string_view label, const std::vector<std::uint8_t>& data,
                        bool disabled = false) {
        ItemHead(9, label, disabled).U32(static_cast<std::uint32_t>(data.size()));
        if (!data.empty()) {
            Scrambled("sound.wav").U32(0).ScrambledRaw(data);
        }
        return *this;
    }
    BlockBytes& PictureAction40(std::uint32_t kind, std::string_view label, bool disabled = false) {
        return ItemHead(kind, label, disabled).Placement40().ColorBlock();
    }
    BlockBytes& Play40(std::string_view label, bool disabled = false) {
        return ItemHead(10, label, disabled).U32(1).Flag(false).Flag(false).Flag(false).Point(0, 0);
    }
    BlockBytes& LoopEnd40(std::string_view label, std::uint32_t repeat = 1, bool disabled = false) {
        return ItemHead(7, label, disabled).U32(repeat).Flag(false);
    }
    // A resource's list of users.
    BlockBytes& Users(std::initializer_list<std::uint32_t> indices) {
        I32(static_cast<std::int32_t>(indices.size()));
        for (std::uint32_t index : indices) {
            U32(index);
        }
        return *this;
    }
};
