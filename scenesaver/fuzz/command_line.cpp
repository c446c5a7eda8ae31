// The saver's command line and window handles come from whoever starts it.
// Input: NUL-separated arguments; the first field is $XSCREENSAVER_WINDOW
// (empty for unset).
#include "host/CommandLine.h"
#include "platform/ForeignWindow.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            fields.emplace_back();
        } else {
            fields.back().push_back(static_cast<char>(data[i]));
        }
    }
    const std::string environment = fields.front();
    const std::vector<std::string> arguments(fields.begin() + 1, fields.end());
    const SaverCommandLine parsed =
        ParseCommandLine(arguments, environment.empty() ? nullptr : environment.c_str());
    // A parsed handle must be one that the text spelled.
    if (parsed.handle && parsed.mode == SaverMode::None) {
        __builtin_trap();
    }
    for (const std::string& field : fields) {
        (void)ParseWindowHandle(field);
    }
    return 0;
}
