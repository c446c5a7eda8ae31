#include "playfield_fixture.h"

#include "content/datafile_writer.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"

#include <algorithm>
#include <allegro.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

std::vector<std::uint8_t> PlayfieldBytes::bytes() const {
    std::vector<std::uint8_t> out(magic.begin(), magic.end());
    out.resize(4);
    out.push_back(list);
    auto field = [&](const std::string& text, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
        }
    };
    field(swedish, 26);
    field(english, 26);
    field(datafile, 10);
    out.push_back(static_cast<std::uint8_t>(width));
    out.push_back(static_cast<std::uint8_t>(height));
    for (int i = 0; i < width * height; ++i) {
        out.push_back(static_cast<std::size_t>(i) < scenery.size()
                          ? scenery[static_cast<std::size_t>(i)]
                          : 0);
    }
    for (int row = 0; row < height; ++row) {
        std::vector<std::pair<int, int>> pairs;
        if (static_cast<std::size_t>(row) < placements.size()) {
            pairs = placements[static_cast<std::size_t>(row)];
        }
        if (row == height - 1 && default_starts && pairs.empty()) {
            pairs = {{255, 0}, {255, 1}};
        }
        // Finish the row with skips so every row reaches the width.
        int column = 0;
        for (auto [code, parameter] : pairs) {
            column += code == 0 ? parameter : 1;
        }
        while (column < width) {
            int skip = std::min(width - column, 255);
            pairs.push_back({0, skip});
            column += skip;
        }
        for (auto [code, parameter] : pairs) {
            out.push_back(static_cast<std::uint8_t>(code));
            out.push_back(static_cast<std::uint8_t>(parameter));
        }
    }
    return out;
}

namespace {
BITMAP* tile(int colour) {
    BITMAP* bitmap = create_bitmap_ex(8, 20, 20);
    clear_to_color(bitmap, colour);
    return bitmap;
}
} // namespace

PlayfieldFolder::PlayfieldFolder() {
    char folder[] = "/tmp/winzorbo-playfield-XXXXXX";
    if (!mkdtemp(folder)) {
        ADD_FAILURE() << "no temporary folder";
        return;
    }
    path_ = folder;
    fs::create_directories(fs::path(path_) / "scn");
    DatafileWriter writer;
    writer.add_binary("MUSIC", {1, 2, 3});
    writer.add_binary("BAK", {});
    for (int i = 1; i <= 3; ++i) {
        BITMAP* bitmap = tile(10 + i);
        writer.add_sprite("TILE_" + std::to_string(i), bitmap);
        destroy_bitmap(bitmap);
    }
    for (int i = 0; i < 3; ++i) {
        BITMAP* bitmap = tile(20 + i);
        writer.add_sprite(i == 0 ? "FAST" : "SOLID_" + std::to_string(i), bitmap);
        destroy_bitmap(bitmap);
    }
    PALETTE palette;
    for (int i = 0; i < PAL_SIZE; ++i) {
        palette[i] = RGB{static_cast<unsigned char>(i / 4), 0, 0, 0};
    }
    writer.add_palette("PAL", palette);
    EXPECT_TRUE(writer.write((fs::path(path_) / "scn" / "tiles.dat").string()));
    set_program_directory(path_);
}

PlayfieldFolder::~PlayfieldFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

void PlayfieldFolder::write(const std::string& relative,
                            const std::vector<std::uint8_t>& bytes) const {
    std::ofstream out(fs::path(path_) / relative, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void load_built_zorbo_data() {
    if (!zorbo_data) {
        zorbo_data = load_datafile(WINZORBO_BUILT_DATA "/Zorbo.dat");
        ASSERT_TRUE(datafile_matches_manifest(zorbo_data));
        game_font = zorbo_object<FONT>(obj_font);
    }
}
