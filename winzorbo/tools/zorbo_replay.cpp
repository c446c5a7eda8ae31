// zorbo-replay PLAYFIELD [--style strict|lenient|bouncy] [--seed N]
//              [--frames N] [--target N] [--input FILE | --random N] [--actors]
//              [--check]
// Plays a match headless with the game's own code and prints every frame's
// rocket state (with --actors followed by one line per actor: "actor INDEX
// STATE X Y TIMER AUX"), then a checksum over the whole game state.
// The match is played to --target points (3 unless given).
// --random N plays random input drawn from N instead of a file; --check stops
// with exit code 3 at the first frame that breaks the match's invariants.
#include "core/program_directory.h"
#include "core/program_version.h"
#include "core/random.h"
#include "match/headless_session.h"
#include "match/match_flow.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/controls.h"
#include "rocket/game_style.h"
#include "shots/shots.h"
#include "startup/command_line.h"

#include <allegro.h>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {
struct Options {
    std::string playfield;
    GameStyle style = style_strict;
    unsigned int seed = 1;
    long frames = 1000;
    int target = 3;
    std::string input;
    bool random = false;
    std::uint32_t random_seed = 0;
    bool actors = false;
    bool check = false;
};

constexpr const char* usage_text =
    "usage: zorbo-replay PLAYFIELD [--style strict|lenient|bouncy] [--seed N] [--frames N]\n"
    "                    [--target N] [--input FILE | --random N] [--actors] [--check]\n"
    "Plays a match headless with the game's own code and prints each frame's rockets\n"
    "and scores, then a checksum. PLAYFIELD is a base name in scn/ beside the tool or\n"
    "the path of a .zrb file.\n"
    "  --style STYLE   strict (the default), lenient or bouncy\n"
    "  --seed N        the game's random seed (1)\n"
    "  --frames N      frames to play (1000)\n"
    "  --target N      the points that end the match, 1..999 (3)\n"
    "  --input FILE    one line per frame: the input bits of player 1 and 2\n"
    "                  (1 fire, 2 gas, 4 right, 8 left)\n"
    "  --random N      random input drawn from N instead of a file\n"
    "  --actors        a line per actor after each frame\n"
    "  --check         exit code 3 at the first frame that breaks an invariant\n"
    "  --help, --version\n";

int usage(const char* problem) {
    std::fprintf(stderr, "zorbo-replay: %s\n%s", problem, usage_text);
    return 2;
}

template <typename T>
bool parse_number(const char* text, T& value) {
    const char* end = text + std::strlen(text);
    auto [rest, error] = std::from_chars(text, end, value);
    return error == std::errc{} && rest == end;
}

// One line per frame: the input bits of both players. Missing lines and
// unreadable numbers are no input.
std::vector<std::pair<int, int>> read_script(const std::string& path, bool& ok) {
    std::vector<std::pair<int, int>> script;
    ok = true;
    if (path.empty()) {
        return script;
    }
    std::ifstream file(path);
    if (!file) {
        ok = false;
        return script;
    }
    std::string line;
    while (std::getline(file, line)) {
        int first = 0;
        int second = 0;
        if (std::sscanf(line.c_str(), "%d %d", &first, &second) < 1) {
            first = second = 0;
        }
        script.emplace_back(first & 15, second & 15);
    }
    return script;
}

// Players' input drawn from its own generator, so the game's random
// sequence stays the one the seed gives: each choice of keys is held for 1 to
// 8 frames, as players hold them.
std::vector<std::pair<int, int>> random_script(std::uint32_t seed, long frames) {
    std::vector<std::pair<int, int>> script;
    std::uint32_t state = seed * 2654435761u + 1u;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    while (static_cast<long>(script.size()) < frames) {
        std::pair<int, int> bits{static_cast<int>(next() & 15), static_cast<int>(next() & 15)};
        for (unsigned hold = next() % 8 + 1; hold > 0; --hold) {
            script.push_back(bits);
        }
    }
    return script;
}

// What the game must keep true after every frame; an empty text when it is.
std::string broken_invariant() {
    const int world_width = cell_pixels * playfield_width;
    const int world_height = cell_pixels * playfield_height;
    for (int i = 0; i < 2; ++i) {
        const Rocket& r = rockets[i];
        std::string which = "rocket " + std::to_string(i + 1);
        if (r.x < 0 || r.x >= world_width || r.y < 0 || r.y >= world_height) {
            return which + " at " + std::to_string(r.x) + "," + std::to_string(r.y) +
                   " outside the world";
        }
        if (r.score < 0) {
            return which + " has the score " + std::to_string(r.score);
        }
    }
    if (shot_cursor < 0 || shot_cursor >= shot_slots) {
        return "the shot cursor " + std::to_string(shot_cursor) + " is outside the ring of " +
               std::to_string(shot_slots);
    }
    for (const Shot& shot : shots) {
        if (shot.y != 0 &&
            (shot.x < 0 || shot.x >= world_width || shot.y < 0 || shot.y >= world_height)) {
            return "a shot at " + std::to_string(shot.x) + "," + std::to_string(shot.y) +
                   " outside the world";
        }
    }
    return {};
}

void print_rocket(const Rocket& r) {
    std::printf(" %d %d %.6f %.6f %d %d %d %d", r.x, r.y, r.vx, r.vy, r.direction, r.health,
                r.ammunition, int{r.landed});
}
void print_actors() {
    for (int i = 0; i < actor_count; ++i) {
        const Actor& a = actors[i];
        std::printf("actor %d %d %d %d %d %d\n", i, a.state, a.x, a.y, a.timer, a.aux);
    }
}
} // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool has_value = i + 1 < argc;
        if (argument == "--help") {
            std::fputs(usage_text, stdout);
            return 0;
        }
        if (argument == "--version") {
            print_version("zorbo-replay");
            return 0;
        }
        if (argument == "--style" && has_value) {
            auto style = style_from_name(argv[++i]);
            if (!style) {
                return usage("unknown style");
            }
            options.style = *style;
        } else if (argument == "--seed" && has_value) {
            if (!parse_number(argv[++i], options.seed)) {
                return usage("bad seed");
            }
        } else if (argument == "--frames" && has_value) {
            if (!parse_number(argv[++i], options.frames) || options.frames < 0) {
                return usage("bad frame count");
            }
        } else if (argument == "--target" && has_value) {
            if (!parse_number(argv[++i], options.target) || options.target < 1 ||
                options.target > 999) {
                return usage("the target must be 1..999");
            }
        } else if (argument == "--input" && has_value) {
            options.input = argv[++i];
        } else if (argument == "--random" && has_value) {
            if (!parse_number(argv[++i], options.random_seed)) {
                return usage("bad random seed");
            }
            options.random = true;
        } else if (argument == "--actors") {
            options.actors = true;
        } else if (argument == "--check") {
            options.check = true;
        } else if (options.playfield.empty() && argument.rfind("--", 0) != 0) {
            options.playfield = argument;
        } else {
            return usage(("unknown argument: " + argument).c_str());
        }
    }
    if (options.playfield.empty()) {
        return usage("no playfield");
    }
    if (options.random && !options.input.empty()) {
        return usage("--input and --random both give the input");
    }
    bool script_ok = false;
    auto script = options.random ? random_script(options.random_seed, options.frames)
                                 : read_script(options.input, script_ok);
    if (!options.random && !script_ok) {
        return usage("cannot read the input file");
    }

    find_program_directory(argv[0]);
    // The seed also decides the placements the loader draws.
    zorbo_srand(options.seed);
    std::string error;
    if (!start_headless_session(error) || !load_headless_playfield(options.playfield, error)) {
        std::fprintf(stderr, "zorbo-replay: %s\n", error.c_str());
        return 1;
    }
    game_style = options.style;
    int totals[2] = {0, 0};
    begin_match(totals, options.target);
    for (long frame = 0; frame < options.frames; ++frame) {
        if (!prepare_frame()) {
            break;
        }
        auto bits = static_cast<std::size_t>(frame) < script.size()
                        ? script[static_cast<std::size_t>(frame)]
                        : std::pair<int, int>{0, 0};
        script_controls(0, bits.first);
        script_controls(1, bits.second);
        run_frame_body();
        std::printf("%ld", frame);
        print_rocket(rockets[0]);
        print_rocket(rockets[1]);
        std::printf(" %d %d\n", rockets[0].score, rockets[1].score);
        if (options.actors) {
            print_actors();
        }
        if (options.check) {
            if (std::string broken = broken_invariant(); !broken.empty()) {
                std::fflush(stdout);
                std::fprintf(stderr, "zorbo-replay: frame %ld: %s\n", frame, broken.c_str());
                release_playfield();
                return 3;
            }
        }
    }
    std::printf("checksum %016" PRIx64 "\n", match_checksum());
    release_playfield();
    return 0;
}
