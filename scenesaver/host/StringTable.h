#pragma once

#include <string>

// The program's string table: messages and the registry names.
enum StringId : unsigned {
    IDS_BAD_PASSWORD = 33000,
    IDS_PASSWORDS_DIFFER = 33001,
    IDS_PASSWORD_CHANGED = 33002,
    IDS_REGISTRY_ROOT = 33004,
    IDS_SETTINGS = 33006,
    IDS_STANDARD = 33007,
    IDS_MOUSE_MOVE = 33008,
    IDS_BUTTON_DOWN = 33009,
    IDS_DOUBLE_CLICK = 33010,
    IDS_KEY_DOWN = 33011,
    IDS_ESCAPE = 33012,
    IDS_MUTE = 33013,
    IDS_SYSINFO = 34024,
    IDS_TIMES = 34025,
};

// The text of a string resource; empty for an unknown id.
const std::string& LoadStringResource(unsigned id);
