#include "host/StringTable.h"

#include <array>
#include <utility>

namespace {
const std::array<std::pair<unsigned, std::string>, 14> kStrings = {{
    {IDS_BAD_PASSWORD, "The password is not correct."},
    {IDS_PASSWORDS_DIFFER, "The new and confirmed passwords do not match."},
    {IDS_PASSWORD_CHANGED, "The password has been successfully changed."},
    {IDS_REGISTRY_ROOT, "Quorvatronics\\Screen Saver"},
    {IDS_SETTINGS, "Settings"},
    {IDS_STANDARD, "Standard"},
    {IDS_MOUSE_MOVE, "MouseMove"},
    {IDS_BUTTON_DOWN, "ButtonDown"},
    {IDS_DOUBLE_CLICK, "DoubleClick"},
    {IDS_KEY_DOWN, "KeyDown"},
    {IDS_ESCAPE, "Escape"},
    {IDS_MUTE, "Mute"},
    {IDS_SYSINFO, "SysInfo"},
    {IDS_TIMES, "Times"},
}};
} // namespace

const std::string& LoadStringResource(unsigned id) {
    static const std::string empty;
    for (const auto& [key, text] : kStrings) {
        if (key == id) {
            return text;
        }
    }
    return empty;
}
