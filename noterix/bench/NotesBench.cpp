// Load and save times of the notes file, next to the floor for the same
// bytes: a plain line-by-line read, and a plain write with fsync.
//
//   notes-bench [folder]      (default: a new folder in /var/tmp)

#include "notes/NoteStore.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The fastest of several runs: on a shared machine the slower runs measure
// the neighbours, not the code.
double BestMilliseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return *std::min_element(times.begin(), times.end());
}

// About 400 bytes of text in a few lines, different for every note.
std::string NoteText(std::mt19937& random) {
    static const char* words[] = {"milk",   "call",   "meeting", "Tuesday", "remember", "the",
                                  "report", "before", "lunch",   "invoice", "garden",   "paint"};
    std::string text = "Note " + std::to_string(random() % 100000);
    while (text.size() < 400) {
        text += (random() % 8 == 0) ? "\r\n" : " ";
        text += words[random() % 12];
    }
    return text;
}

void Fill(NoteStore& store, const std::vector<std::string>& texts) {
    // Spread over years, as a real collection of notes is.
    std::int32_t stamp = 1000000000;
    for (const std::string& text : texts) {
        auto* note = new Note;
        note->SetText(plat::String(text.c_str()));
        note->SetCreated(plat::Time(stamp));
        note->SetModified(plat::Time(stamp + 86399));
        note->SetAccessed(plat::Time(stamp + 99999));
        stamp += 7919;
        plat::Guid guid;
        note->GetGuid(guid);
        store.Add(note);
    }
}

struct Row {
    std::string name;
    double load, save, readFloor, writeFloor;
    std::string goal;
};

Row Measure(const std::string& name, const std::vector<std::string>& texts,
            const std::string& folder, const std::string& goal) {
    const std::string path = folder + "/Noterix.notes";
    const plat::FileSpec notesFile{plat::String(path.c_str())};
    const int runs = texts.size() > 1000 ? 7 : 5;
    NoteStore source;
    Fill(source, texts);
    Row row{name, 0, 0, 0, 0, goal};
    row.save = BestMilliseconds(runs, [&] {
        if (!source.SaveToFile(notesFile, false)) {
            std::fprintf(stderr, "save failed: %s\n",
                         plat::ErrorStateStack::Get().Top().message.c_str());
            std::exit(1);
        }
    });
    // Only the load is timed; freeing the notes afterwards is not.
    std::vector<std::unique_ptr<NoteStore>> loaded;
    row.load = BestMilliseconds(runs, [&] {
        loaded.push_back(std::make_unique<NoteStore>());
        if (!loaded.back()->LoadFromFile(notesFile) || loaded.back()->Count() != texts.size()) {
            std::fprintf(stderr, "load failed\n");
            std::exit(1);
        }
    });
    loaded.clear();
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    row.readFloor = BestMilliseconds(runs, [&] {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        std::size_t total = 0;
        while (std::getline(in, line)) {
            total += line.size();
        }
        if (total == 0) {
            std::exit(1);
        }
    });
    const std::string floorPath = folder + "/floor";
    row.writeFloor = BestMilliseconds(runs, [&] {
        const int fd = ::open(floorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 ||
            ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::fsync(fd) != 0) {
            std::exit(1);
        }
        ::close(fd);
    });
    return row;
}

} // namespace

int main(int argc, char** argv) {
    InstallNoterixResources();
    std::string folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        std::string pattern = "/var/tmp/notes-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            return 1;
        }
        folder = pattern;
    }

    std::mt19937 random(42);
    std::vector<std::string> ten, forty;
    for (int i = 0; i < 40000; ++i) {
        forty.push_back(NoteText(random));
    }
    ten.assign(forty.begin(), forty.begin() + 10000);
    std::string bigNote;
    while (bigNote.size() < 8u * 1024 * 1024) {
        bigNote += NoteText(random) + "\r\n";
    }
    const std::string bigLine(8u * 1024 * 1024, 'w');

    std::vector<Row> rows;
    rows.push_back(Measure("10000 notes of ~400 B", ten, folder, "load <= 150, save <= 250"));
    rows.push_back(Measure("40000 notes of ~400 B", forty, folder, "<= 4.5x the 10000 row"));
    rows.push_back(Measure("one 8 MiB note", {bigNote}, folder, "linear"));
    rows.push_back(Measure("one 8 MiB single line", {bigLine}, folder, "linear"));

    std::printf("%-24s %10s %10s %12s %12s %9s %9s  %s\n", "case", "load ms", "save ms",
                "floor rd ms", "floor wr ms", "load x", "save x", "goal");
    for (const Row& r : rows) {
        std::printf("%-24s %10.1f %10.1f %12.1f %12.1f %9.2f %9.2f  %s\n", r.name.c_str(), r.load,
                    r.save, r.readFloor, r.writeFloor, r.load / r.readFloor, r.save / r.writeFloor,
                    r.goal.c_str());
    }
    const double loadRatio = rows[1].load / rows[0].load;
    const double saveRatio = rows[1].save / rows[0].save;
    std::printf("\n40000 / 10000: load %.2fx, save %.2fx (goal <= 4.5x)\n", loadRatio, saveRatio);
    const bool met =
        rows[0].load <= 150 && rows[0].save <= 250 && loadRatio <= 4.5 && saveRatio <= 4.5;
    std::printf("goals %s\n", met ? "met" : "NOT met");
    if (argc <= 1) {
        std::filesystem::remove_all(folder);
    }
    return 0;
}
