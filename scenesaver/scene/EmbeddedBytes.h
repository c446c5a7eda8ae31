#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The bytes of a file embedded in a scene. Read from a player's own block
// they are a view into the mapped block, valid while the scene lives, so a
// large video costs no second copy; built in memory (by tools and tests)
// they own a shared copy. Either way data() and size() give the bytes.
class CEmbeddedBytes {
public:
    CEmbeddedBytes() = default;
    // Takes the bytes as its own.
    CEmbeddedBytes(std::vector<std::uint8_t> bytes) // NOLINT(google-explicit-constructor)
        : owned(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))), view(*owned) {
    }
    // Bytes that something else keeps alive for as long as this is used.
    static CEmbeddedBytes View(std::span<const std::uint8_t> bytes) {
        CEmbeddedBytes viewed;
        viewed.view = bytes;
        return viewed;
    }

    const std::uint8_t* data() const { return view.data(); }
    std::size_t size() const { return view.size(); }
    bool empty() const { return view.empty(); }
    const std::uint8_t* begin() const { return view.data(); }
    const std::uint8_t* end() const { return view.data() + view.size(); }
    std::span<const std::uint8_t> Span() const { return view; }
    operator std::span<const std::uint8_t>() const { return view; } // NOLINT

    friend bool operator==(const CEmbeddedBytes& a, const std::vector<std::uint8_t>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::shared_ptr<const std::vector<std::uint8_t>> owned;
    std::span<const std::uint8_t> view;
};
