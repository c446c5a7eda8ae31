#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A key under HKEY_CURRENT_USER, named by its backslash path. The keys live
// in INI files of ours under $XDG_CONFIG_HOME/Quorvatronics/: a key below
// "Software\Quorvatronics\<product>" in "<product>.ini" (the rest of the
// path is the INI group), any other key - the values that the system owns on
// Windows, such as "Control Panel\Desktop" - in "System.ini", grouped by its
// whole path. 32-bit values are stored as decimal numbers, strings as text
// (Windows-1252 bytes converted to Unicode and back).
class CRegKey {
public:
    explicit CRegKey(std::string path);

    // Empty when the value is missing or is not a 32-bit number.
    std::optional<std::uint32_t> QueryDWORD(const std::string& name) const;
    std::optional<std::string> QueryString(const std::string& name) const;

    // False when the value could not be stored.
    bool SetDWORD(const std::string& name, std::uint32_t value);
    bool SetString(const std::string& name, const std::string& value);

    // The file that holds this key, and the group inside it ("" for the top).
    const std::string& FilePath() const { return file; }
    const std::string& Group() const { return group; }

private:
    std::string file;
    std::string group;
};

// $XDG_CONFIG_HOME/Quorvatronics/ with a trailing '/'.
std::string RegistryFolder();
