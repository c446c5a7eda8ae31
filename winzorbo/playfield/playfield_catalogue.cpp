#include "playfield/playfield_catalogue.h"

#include "core/fatal_error.h"
#include "core/program_directory.h"
#include "playfield/playfield_header.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <cstdint>
#include <cstdio>
#include <cstring>

PlayfieldList standard_playfields;
PlayfieldList special_playfields;
int playfield_total = 0;

namespace {
void copy_field(char* target, std::size_t size, const std::string& value) {
    std::size_t length = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(target, value.data(), length);
    target[length] = 0;
}

int list_one_file(const char* path, int /*attributes*/, void* parameter) {
    bool seasonal = *static_cast<bool*>(parameter);
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        return 0;
    }
    std::uint8_t bytes[playfield_header_size];
    std::size_t read = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    auto header = read_playfield_header(bytes, read);
    if (!header || (header->seasonal && !seasonal)) {
        return 0;
    }
    std::string base = get_filename(path);
    const char* extension = get_extension(path);
    if (extension && *extension) {
        base.resize(base.size() - std::strlen(extension) - 1);
    }
    // Paths are rebuilt from the base name later; one that does not fit
    // would name a different file.
    if (base.empty() || base.size() >= sizeof(PlayfieldEntry::base_name)) {
        return 0;
    }
    PlayfieldList& list = header->special ? special_playfields : standard_playfields;
    if (list.count >= max_playfields_per_list) {
        return 0;
    }
    PlayfieldEntry& entry = list.entries[list.count++];
    copy_field(entry.swedish_name, sizeof entry.swedish_name, header->swedish_name);
    copy_field(entry.english_name, sizeof entry.english_name, header->english_name);
    copy_field(entry.base_name, sizeof entry.base_name, base);
    ++playfield_total;
    return 0;
}
} // namespace

bool seasonal_date(const std::tm& date) {
    return date.tm_mon == 11 || (date.tm_mon == 0 && date.tm_mday < 14);
}

void list_playfields(const std::string& folder, bool seasonal) {
    standard_playfields.count = 0;
    special_playfields.count = 0;
    playfield_total = 0;
    std::string pattern = folder + "/*.zrb";
    for_each_file_ex(pattern.c_str(), 0, FA_DIREC, list_one_file, &seasonal);
}

void scan_playfields() {
    load_texts();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    list_playfields(data_path("scn"), seasonal_date(local));
    if (playfield_total == 0) {
        std::string search = data_path("scn/*.zrb");
        fatal_error("Error: No playfields found in " + search + "!\nFel: Inga spelf\xe4lt funna!");
    }
}
