#pragma once

#include <QImage>
#include <QSize>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What the desktop environments' settings say, read once: every key of each
// schema from one `gsettings list-recursively` run per schema, all runs at
// once under one overall deadline, so that a missing or hanging settings
// service costs a start at most that long.
class CDesktopSettings {
public:
    static CDesktopSettings Read(const std::vector<std::string>& schemas,
                                 std::chrono::milliseconds deadline);

    // The value as gsettings prints it ('file:///a.jpg' with its quotes).
    std::optional<std::string> Value(const std::string& schema, const std::string& key) const;

private:
    std::map<std::string, std::string> values; // "schema key" -> value
};

// The contents of a file in the user's home folder; empty when unreadable.
std::optional<std::string> ReadHomeFile(const std::string& name);

// What the primary screen shows right now, in device pixels; null where the
// platform cannot read the screen back.
QImage GrabPrimaryScreen();
// The primary screen's size in device pixels; empty without a screen.
QSize PrimaryScreenPixelSize();
