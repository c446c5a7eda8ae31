#include "platform/AppProfile.h"

#include "platform/Registry.h"

#include <utility>

CAppProfile::CAppProfile(std::string registryRoot, std::string applicationName)
    : root(std::move(registryRoot)), application(std::move(applicationName)) {}

std::string CAppProfile::SectionKeyPath(const std::string& section) const {
    return RootKeyPath() + "\\" + application + "\\" + section;
}

unsigned int CAppProfile::GetProfileInt(const std::string& section, const std::string& entry,
                                        unsigned int defaultValue) const {
    return CRegKey(SectionKeyPath(section)).QueryDWORD(entry).value_or(defaultValue);
}

std::string CAppProfile::GetProfileString(const std::string& section, const std::string& entry,
                                          const std::string& defaultValue) const {
    return CRegKey(SectionKeyPath(section)).QueryString(entry).value_or(defaultValue);
}

bool CAppProfile::WriteProfileInt(const std::string& section, const std::string& entry,
                                  unsigned int value) {
    return CRegKey(SectionKeyPath(section)).SetDWORD(entry, value);
}

bool CAppProfile::WriteProfileString(const std::string& section, const std::string& entry,
                                     const std::string& value) {
    return CRegKey(SectionKeyPath(section)).SetString(entry, value);
}
