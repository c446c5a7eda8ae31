#pragma once

#include <string>

// The application profile: values grouped in sections under
// HKEY_CURRENT_USER\Software\<registry root>\<application name>\<section>.
// A missing or unreadable value reads as the default given.
class CAppProfile {
public:
    CAppProfile(std::string registryRoot, std::string applicationName);

    unsigned int GetProfileInt(const std::string& section, const std::string& entry,
                               unsigned int defaultValue) const;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = {}) const;
    bool WriteProfileInt(const std::string& section, const std::string& entry, unsigned int value);
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value);

    // "Software\<registry root>", the key shared by every application name.
    std::string RootKeyPath() const { return "Software\\" + root; }
    std::string SectionKeyPath(const std::string& section) const;

private:
    std::string root;
    std::string application;
};
