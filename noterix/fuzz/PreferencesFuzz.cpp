// The settings file over arbitrary bytes: parsing never fails below the
// size cap, a rewrite is stable, and a value set is found again.

#include "plat/KeyFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    plat::KeyFile file;
    if (!file.Parse(text)) {
        if (size <= plat::KeyFile::MaxFileSize) {
            std::abort();
        }
        return 0;
    }
    const std::string once = file.Serialize();
    plat::KeyFile reread;
    if (!reread.Parse(once) || reread.Serialize() != once) {
        std::abort();
    }
    // Use the input's first bytes as a section and a name.
    const std::string_view section = text.substr(0, std::min<std::size_t>(size, 8));
    const std::string_view name = text.substr(std::min<std::size_t>(size, 8), 8);
    if (name.empty()) {
        return 0;
    }
    plat::KeyFile::Value value;
    value.type = plat::KeyFile::Type::Sz;
    value.bytes.assign(text.substr(0, 16));
    reread.Set(section, name, value);
    plat::KeyFile last;
    if (!last.Parse(reread.Serialize())) {
        std::abort();
    }
    const plat::KeyFile::Value* found = last.Find(section, name);
    if (found == nullptr || found->bytes != value.bytes) {
        std::abort();
    }
    return 0;
}
