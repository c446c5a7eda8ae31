#include "content/module_writer.h"

#include <algorithm>

namespace {
// Amiga periods of the three octaves C-1..B-3, finetune 0.
constexpr int periods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                             428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                             214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

void put_text(std::vector<std::uint8_t>& out, const std::string& text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
    }
}

void put_word(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
}
} // namespace

std::vector<std::uint8_t> module_file(const Module& module) {
    std::vector<std::uint8_t> out;
    put_text(out, module.title, 20);
    for (std::size_t i = 0; i < 31; ++i) {
        if (i < module.instruments.size()) {
            const ModuleInstrument& instrument = module.instruments[i];
            put_text(out, instrument.name, 22);
            put_word(out, static_cast<int>(instrument.data.size() / 2));
            out.push_back(0); // finetune
            out.push_back(static_cast<std::uint8_t>(std::clamp(instrument.volume, 0, 64)));
            put_word(out, instrument.loop_length ? instrument.loop_start / 2 : 0);
            put_word(out, instrument.loop_length ? instrument.loop_length / 2 : 1);
        } else {
            put_text(out, "", 22);
            put_word(out, 0);
            out.push_back(0);
            out.push_back(0);
            put_word(out, 0);
            put_word(out, 1);
        }
    }
    out.push_back(static_cast<std::uint8_t>(module.order.size()));
    out.push_back(127);
    for (std::size_t i = 0; i < 128; ++i) {
        out.push_back(i < module.order.size() ? static_cast<std::uint8_t>(module.order[i]) : 0);
    }
    put_text(out, "M.K.", 4);
    for (const ModulePattern& pattern : module.patterns) {
        for (const ModuleRow& row : pattern) {
            for (const ModuleNote& cell : row) {
                int period = cell.note >= 0 ? periods[std::clamp(cell.note, 0, 35)] : 0;
                out.push_back(static_cast<std::uint8_t>((cell.instrument & 0xf0) | (period >> 8)));
                out.push_back(static_cast<std::uint8_t>(period & 0xff));
                out.push_back(static_cast<std::uint8_t>(((cell.instrument & 0x0f) << 4) |
                                                        (cell.effect & 0x0f)));
                out.push_back(static_cast<std::uint8_t>(cell.parameter & 0xff));
            }
        }
    }
    for (const ModuleInstrument& instrument : module.instruments) {
        for (std::int8_t sample : instrument.data) {
            out.push_back(static_cast<std::uint8_t>(sample));
        }
    }
    return out;
}
