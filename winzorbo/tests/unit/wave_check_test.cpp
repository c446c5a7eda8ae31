#include "content/sound_effects.h"
#include "sound/wave_check.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<std::uint8_t> good_wave() {
    return wave_file(std::vector<double>(100, 0.25), effect_sample_rate);
}

// Offset of a chunk's header in a WAVE image from the content builder.
std::size_t chunk_at(const std::vector<std::uint8_t>& image, const char* id) {
    for (std::size_t i = 12; i + 4 <= image.size(); ++i) {
        if (std::memcmp(image.data() + i, id, 4) == 0) {
            return i;
        }
    }
    return 0;
}

void put_u32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        image[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}
// A whole chunk at the end of the image.
void append(std::vector<std::uint8_t>& image, const char* id, std::vector<std::uint8_t> body) {
    image.insert(image.end(), id, id + 4);
    image.resize(image.size() + 4);
    put_u32(image, image.size() - 4, static_cast<std::uint32_t>(body.size()));
    image.insert(image.end(), body.begin(), body.end());
}
} // namespace

TEST(WaveCheck, AcceptsTheBuildersSamplesAndRefusesDamagedOnes) {
    std::vector<std::uint8_t> good = good_wave();
    ASSERT_TRUE(wave_image_usable(good.data(), good.size()));
    std::size_t data = chunk_at(good, "data");
    std::size_t format = chunk_at(good, "fmt ");
    ASSERT_NE(data, 0u);
    ASSERT_NE(format, 0u);

    struct Case {
        const char* name;
        void (*damage)(std::vector<std::uint8_t>&, std::size_t data, std::size_t format);
    };
    const Case cases[] = {
        {"data longer than the image",
         [](auto& w, std::size_t d, std::size_t) { put_u32(w, d + 4, 0xfffffff0u); }},
        {"data one byte past the end",
         [](auto& w, std::size_t d, std::size_t) {
             put_u32(w, d + 4, static_cast<std::uint32_t>(w.size() - d - 8 + 1));
         }},
        {"cut inside the data", [](auto& w, std::size_t, std::size_t) { w.resize(w.size() - 3); }},
        {"not PCM", [](auto& w, std::size_t, std::size_t f) { w[f + 8] = 3; }},
        {"five channels", [](auto& w, std::size_t, std::size_t f) { w[f + 10] = 5; }},
        {"24 bits", [](auto& w, std::size_t, std::size_t f) { w[f + 22] = 24; }},
        {"short format chunk", [](auto& w, std::size_t, std::size_t f) { put_u32(w, f + 4, 8); }},
        {"no format before the data",
         [](auto& w, std::size_t, std::size_t f) { std::memcpy(w.data() + f, "junk", 4); }},
        {"not RIFF", [](auto& w, std::size_t, std::size_t) { w[0] = 'X'; }},
        {"header only", [](auto& w, std::size_t, std::size_t) { w.resize(12); }},
        // The reader goes on after the data and makes a sample of every data
        // chunk: one claiming almost 4 GiB made it ask for a negative size.
        {"a second data chunk",
         [](auto& w, std::size_t, std::size_t) {
             append(w, "data", {1, 2, 3, 4});
         }},
        {"a second data chunk longer than the image",
         [](auto& w, std::size_t, std::size_t) {
             append(w, "data", {});
             put_u32(w, w.size() - 4, 0xfa247848u);
         }},
        {"a chunk header cut short after the data",
         [](auto& w, std::size_t, std::size_t) {
             w.insert(w.end(), {'d', 'a', 't', 'a', 1});
         }},
        {"a format chunk after the data that is not PCM",
         [](auto& w, std::size_t, std::size_t f) {
             std::vector<std::uint8_t> body(w.begin() + static_cast<long>(f) + 8,
                                            w.begin() + static_cast<long>(f) + 24);
             body[0] = 3;
             append(w, "fmt ", body);
         }},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> image = good;
        c.damage(image, data, format);
        EXPECT_FALSE(wave_image_usable(image.data(), image.size())) << c.name;
    }
    EXPECT_FALSE(wave_image_usable(nullptr, 0));

    // Chunks of other kinds after the data, and a few stray bytes, are fine.
    std::vector<std::uint8_t> listed = good;
    append(listed, "LIST", {'I', 'N', 'F', 'O'});
    listed.insert(listed.end(), {0, 0, 0});
    EXPECT_TRUE(wave_image_usable(listed.data(), listed.size()));
}
