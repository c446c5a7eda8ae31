// transitions-bench: how long each transition effect takes to build a
// full-screen picture at effect speed 100 with no step waits, next to the
// same copies made by plain QPainter::drawImage calls in the same run.
//
//   transitions-bench [--size WxH] [--effects 4,41,61-64]

#include "DrawImageFloor.h"
#include "EffectNames.h"
#include "EffectRunner.h"

#include "scene/Transition.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    QSize size{1920, 1080};
    std::vector<std::uint32_t> effects;
};

// "4,41,61-64" into ids; false on anything else.
bool ParseEffects(const std::string& text, std::vector<std::uint32_t>& ids) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(',', at), text.size());
        const std::string part = text.substr(at, end - at);
        unsigned first = 0;
        unsigned last = 0;
        char extra = 0;
        if (std::sscanf(part.c_str(), "%u-%u%c", &first, &last, &extra) == 2) {
        } else if (std::sscanf(part.c_str(), "%u%c", &first, &extra) == 1) {
            last = first;
        } else {
            return false;
        }
        if (first < FIRST_EFFECT || last > LAST_EFFECT || first > last) {
            return false;
        }
        for (unsigned id = first; id <= last; ++id) {
            ids.push_back(id);
        }
        at = end + 1;
    }
    return !ids.empty();
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[++i];
        if (argument == "--size") {
            int w = 0;
            int h = 0;
            char extra = 0;
            if (std::sscanf(value.c_str(), "%dx%d%c", &w, &h, &extra) != 2 || w < 1 || h < 1 ||
                w > 8192 || h > 8192) {
                return false;
            }
            options.size = QSize(w, h);
        } else if (argument == "--effects") {
            if (!ParseEffects(value, options.effects)) {
                return false;
            }
        } else {
            return false;
        }
    }
    if (options.effects.empty()) {
        for (std::uint32_t id = FIRST_EFFECT; id <= LAST_EFFECT; ++id) {
            options.effects.push_back(id);
        }
    }
    return true;
}

struct Result {
    double ours = 1e300;
    double floor = 1e300;
};

// The best of several runs of each; they take turns so that a busy machine
// slows both alike. Slow effects get fewer rounds.
Result Measure(EffectRunner& runner, std::uint32_t effect, const EffectDrawing& drawing) {
    Result best;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 15; ++round) {
        const double spent =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if ((round >= 3 && spent > 1.0) || (round >= 2 && spent > 6.0)) {
            break;
        }
        best.ours = std::min(best.ours, runner.Time(effect));
        best.floor =
            std::min(best.floor, DrawImageFloor(drawing, runner.Picture(), runner.OldContent()));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: transitions-bench [--size WxH] [--effects 4,41,61-64]\n");
        return 2;
    }
    EffectRunner runner(options.size);
    std::printf("transitions-bench: %dx%d picture, effect speed 100, no step waits; best of "
                "several runs, ms\n\n",
                options.size.width(), options.size.height());
    std::printf(
        "| id | effect | copies | MB moved | ours ms | drawImage ms | ratio | ms per frame |\n");
    std::printf("|---:|---|---:|---:|---:|---:|---:|---:|\n");
    double worst = 0;
    std::uint32_t worstEffect = 0;
    int over = 0;
    for (const std::uint32_t effect : options.effects) {
        const EffectDrawing drawing = runner.Record(effect);
        const Result result = Measure(runner, effect, drawing);
        const double ratio = result.ours / result.floor;
        if (ratio > worst) {
            worst = ratio;
            worstEffect = effect;
        }
        over += ratio > 3.0 ? 1 : 0;
        std::string perFrame = "";
        if (drawing.frames > 0) {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f",
                          result.ours / static_cast<double>(drawing.frames));
            perFrame = text;
        }
        std::printf("| %u | %s | %zu | %.1f | %.2f | %.2f | %.2f | %s |\n", effect,
                    std::string(EffectName(effect)).c_str(), drawing.copies.size(),
                    static_cast<double>(drawing.bytes) / 1e6, result.ours, result.floor, ratio,
                    perFrame.c_str());
        std::fflush(stdout);
    }
    std::printf("\nworst ratio %.2f (effect %u); %d effect(s) above 3x their floor\n", worst,
                worstEffect, over);
    return 0;
}
