#pragma once

#include "plat/FileSpec.h"
#include "plat/String.h"

#include <cstdint>

namespace plat {

// The storage behind one node of the preferences tree. A read that fails
// leaves its in/out argument as it was.
class PreferencesImp {
public:
    virtual ~PreferencesImp() = default;                                 // slot 0
    virtual bool ReadPath(const char* name, FileSpec& value) = 0;        // slot 1
    virtual bool ReadBool(const char* name, bool& value) = 0;            // slot 2
    virtual bool ReadInt(const char* name, std::int32_t& value) = 0;     // slot 3
    virtual bool ReadString(const char* name, String& value) = 0;        // slot 4
    virtual bool WritePath(const char* name, const FileSpec& value) = 0; // slot 5
    virtual bool WriteBool(const char* name, bool value) = 0;            // slot 6
    virtual bool WriteInt(const char* name, std::int32_t value) = 0;     // slot 7
    virtual bool WriteString(const char* name, const String& value) = 0; // slot 8
    // Kept for completeness; stored sections are never removed.
    virtual bool RemoveIfEmpty() { return false; } // slot 9
};

} // namespace plat
