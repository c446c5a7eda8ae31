#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

// The bytes of a file embedded in a scene. Read from a player's own block
// they are a view into the mapped block, valid while the scene lives, so a
// large video costs no second copy; built in memory (by tools and tests)
// they own a shared copy. Either way data() and size() give the bytes.
//
// In the block every byte is stored lowered by a shift. A view is put right
// in place only when its bytes are first asked for, so a start touches no
// page of a file that is not used yet; readers that can raise the bytes as
// they read them (the picture decoder) take Stored() and never write.
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
    // Bytes kept lowered by shift, which reveal puts right where they lie the
    // first time they are read through data(); reveal is called once.
    using Reveal = std::function<void(std::span<std::uint8_t> bytes)>;
    static CEmbeddedBytes Lowered(std::span<std::uint8_t> bytes, std::uint8_t shift,
                                  Reveal reveal) {
        CEmbeddedBytes lowered;
        lowered.view = bytes;
        lowered.pending = std::make_shared<Pending>(bytes, shift, std::move(reveal));
        return lowered;
    }

    const std::uint8_t* data() const {
        Put();
        return view.data();
    }
    std::size_t size() const { return view.size(); }
    bool empty() const { return view.empty(); }
    const std::uint8_t* begin() const { return data(); }
    const std::uint8_t* end() const { return data() + view.size(); }
    std::span<const std::uint8_t> Span() const { return {data(), view.size()}; }
    operator std::span<const std::uint8_t>() const { return Span(); } // NOLINT

    // The bytes as they lie and what each must be raised by to be read: 0
    // once they have been put right. Not to be mixed with a data() of the
    // same bytes on another thread.
    struct Storage {
        std::span<const std::uint8_t> bytes;
        std::uint8_t raise = 0;
    };
    Storage Stored() const {
        if (pending && !pending->done) {
            return {view, pending->shift};
        }
        return {view, 0};
    }

    friend bool operator==(const CEmbeddedBytes& a, const std::vector<std::uint8_t>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    struct Pending {
        Pending(std::span<std::uint8_t> bytes, std::uint8_t shift, Reveal reveal)
            : bytes(bytes), shift(shift), reveal(std::move(reveal)) {}
        std::span<std::uint8_t> bytes;
        std::uint8_t shift;
        Reveal reveal;
        std::once_flag once;
        std::atomic<bool> done = false; // set once, inside the once
    };

    void Put() const {
        if (pending) {
            std::call_once(pending->once, [p = pending.get()] {
                p->reveal(p->bytes);
                p->done = true;
            });
        }
    }

    std::shared_ptr<const std::vector<std::uint8_t>> owned;
    std::span<const std::uint8_t> view;
    std::shared_ptr<Pending> pending; // shared by copies: the bytes are one
};
