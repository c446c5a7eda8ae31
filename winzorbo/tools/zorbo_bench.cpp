// zorbo-bench: the cost of one match frame (the key checks, movement, rules,
// actors, collisions, shots, cameras and drawing; not the wait) on the
// largest playfield the format allows, with the actor list full (most of it
// creatures) and both players firing, against the 30 ms a frame may take.
#include "actors/actor_states.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/program_version.h"
#include "core/random.h"
#include "core/zorbo_objects.h"
#include "match/match_flow.h"
#include "match/match_state.h"
#include "match/play_playfield.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/controls.h"
#include "rocket/game_style.h"
#include "shots/shots.h"

#include <algorithm>
#include <allegro.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {
constexpr int field_cells = 255;
constexpr int frames = 3000;
constexpr double budget_ms = 30.0;

// Rows of open water the swimmers live in, below the rockets.
constexpr int water_top = 150;
constexpr int water_rows = 50;

// Swimmers, bombs, hoppers and carriers of both facings make up four fifths
// of the list; water edges and ornaments the rest.
constexpr int actor_kinds[10] = {50, 50, 62, 62, 71, 71, 74, 79, 6, 56};

bool is_swimmer(int state) {
    return state >= 46 && state <= 55;
}

// Open space inside a solid frame, solid islands in the upper part (the
// rockets hover lower down, so their shots fly long), a band of water, and
// the actor list full, most of it creatures behaving as in a match (all
// restoring their rectangles).
void generate_playfield() {
    playfield_width = field_cells;
    playfield_height = field_cells;
    int pixels = field_cells * cell_pixels;
    world_bitmap = create_bitmap(pixels + 1, pixels);
    background_bitmap = create_bitmap(pixels + 1, pixels);
    solid_mask = create_bitmap(pixels, pixels);
    clear_to_color(background_bitmap, 17);
    clear_bitmap(solid_mask);
    for (int c = 0; c < field_cells; ++c) {
        for (int r = 0; r < field_cells; ++r) {
            bool border = c == 0 || r == 0 || c == field_cells - 1 || r == field_cells - 1;
            bool island = c % 23 == 5 && r % 19 == 7 && r < 100;
            bool water = !border && r >= water_top && r < water_top + water_rows;
            grid[c][r] = Cell{border || island ? cell_solid : water ? cell_water : cell_open, 0};
            if (border || island) {
                rectfill(solid_mask, c * 20, r * 20, c * 20 + 19, r * 20 + 19, 1);
                rectfill(background_bitmap, c * 20, r * 20, c * 20 + 19, r * 20 + 19, 40);
            } else if (water) {
                rectfill(background_bitmap, c * 20, r * 20, c * 20 + 19, r * 20 + 19, 253);
            }
        }
    }
    blit(background_bitmap, world_bitmap, 0, 0, 0, 0, pixels, pixels);
    actor_count = 0;
    for (int i = 0; i < max_actors; ++i) {
        int state = actor_kinds[i % 10];
        int row = is_swimmer(state) ? water_top + (i * 53) % water_rows : 2 + (i * 53) % 250;
        actors[actor_count++] = Actor{(2 + (i * 37) % 250) * 20, row * 20, 1 + i % 4, state, 0};
    }
    base_count = 0;
}

void place_rockets() {
    for (int p = 0; p < 2; ++p) {
        Rocket& rocket = rockets[p];
        rocket = Rocket{};
        rocket.start_x = 1500 + 2000 * p;
        rocket.start_y = 2500;
    }
}

// Keeps both rockets hovering where they started, facing each other,
// firing and alive, so that the ring stays full of shots.
void refuel() {
    for (int p = 0; p < 2; ++p) {
        Rocket& rocket = rockets[p];
        rocket.ammunition = 500;
        rocket.health = 100;
        rocket.x = rocket.start_x;
        rocket.y = rocket.start_y;
        rocket.vx = 0.0;
        rocket.vy = 0.0;
        rocket.direction = p == 0 ? 6 : 18;
    }
}

double percentile(const std::vector<double>& sorted, double fraction) {
    std::size_t index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

struct Summary {
    double mean = 0;
    double median = 0;
    double p99 = 0;
    double maximum = 0;
};

Summary summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    Summary summary;
    for (double t : times) {
        summary.mean += t;
    }
    summary.mean /= static_cast<double>(times.size());
    summary.median = percentile(times, 0.5);
    summary.p99 = percentile(times, 0.99);
    summary.maximum = times.back();
    return summary;
}

// The processor time this thread has used: what a frame costs, without the
// time spent waiting for a core on a busy machine.
double thread_processor_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

const char* verdict(bool met) {
    return met ? "met" : "missed";
}
} // namespace

int main(int argc, char** argv) {
    const char* usage_text =
        "usage: zorbo-bench [--help | --version]\n"
        "Times the match frame on the largest playfield with the actor list full\n"
        "and prints the figures against the 30 ms frame.\n";
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument != "--help" && argument != "--version") {
            std::fprintf(stderr, "zorbo-bench: unknown argument: %s\n%s", argv[i], usage_text);
            return 2;
        }
    }
    if (argc > 1) {
        if (std::string(argv[1]) == "--help") {
            std::fputs(usage_text, stdout);
        } else {
            print_version("zorbo-bench");
        }
        return 0;
    }
    find_program_directory(argv[0]);
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        return 1;
    }
    set_color_depth(8);
    std::string path = data_path("Zorbo.dat");
    zorbo_data = load_datafile(path.c_str());
    if (!datafile_matches_manifest(zorbo_data)) {
        std::fprintf(stderr, "zorbo-bench: cannot use %s\n", path.c_str());
        return 1;
    }
    game_font = zorbo_object<FONT>(obj_font);
    surface = create_bitmap(640, 480);
    clear_bitmap(surface);
    headless_match = true;
    zorbo_srand(1);
    generate_playfield();
    place_rockets();
    game_style = style_bouncy;
    int totals[2] = {0, 0};
    begin_match(totals, 3);
    prepare_frame();
    // Both fire every frame; player 2 also thrusts now and then.
    std::vector<double> times;
    std::vector<double> processor_times;
    times.reserve(frames);
    processor_times.reserve(frames);
    int alive_sum = 0;
    for (int frame = 0; frame < frames; ++frame) {
        script_controls(0, 1);
        script_controls(1, frame % 30 < 3 ? 1 | 2 : 1);
        refuel();
        auto start = std::chrono::steady_clock::now();
        double processor_start = thread_processor_ms();
        if (!key[KEY_ESC]) {
            handle_match_keys(nullptr);
            run_frame_body();
        }
        double processor_end = thread_processor_ms();
        auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        processor_times.push_back(processor_end - processor_start);
        for (const Shot& shot : shots) {
            alive_sum += shot.y != 0;
        }
    }
    Summary wall = summarise(times);
    Summary processor = summarise(processor_times);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    int creatures = 0;
    for (int i = 0; i < actor_count; ++i) {
        creatures += actor_states[actors[i].state].behaviour != behaviour_none;
    }
    std::printf("zorbo-bench: %d frames, %dx%d cells, %d actors (%d creatures), %.1f shots alive "
                "on average\n",
                frames, field_cells, field_cells, actor_count, creatures,
                static_cast<double>(alive_sum) / frames);
    std::printf("%-22s %12s %12s %12s %10s\n", "measure", "frame body", "processor", "budget",
                "ratio");
    auto row = [](const char* name, double value, double used, double limit) {
        std::printf("%-22s %9.3f ms %9.3f ms %9.3f ms %9.1f%%\n", name, value, used, limit,
                    100.0 * value / limit);
    };
    row("mean", wall.mean, processor.mean, budget_ms);
    row("median", wall.median, processor.median, budget_ms);
    row("p99", wall.p99, processor.p99, budget_ms);
    row("maximum", wall.maximum, processor.maximum, budget_ms);
    std::printf("%-22s %9ld KiB\n", "peak memory", usage.ru_maxrss);
    // On a busy machine the wall-clock tail is mostly waiting for a core.
    std::printf("%-22s %9.3f ms (whole run, set-up included, per frame)\n", "processor time",
                (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0) /
                    frames);
    std::printf("goals, frame body: mean <= 1 ms (%s), p99 <= 3 ms (%s)\n",
                verdict(wall.mean <= 1.0), verdict(wall.p99 <= 3.0));
    std::printf("goals, processor:  mean <= 1 ms (%s), p99 <= 3 ms (%s)\n",
                verdict(processor.mean <= 1.0), verdict(processor.p99 <= 3.0));
    return 0;
}
