#pragma once

#include "plat/KeyFile.h"
#include "plat/PreferencesImp.h"
#include "plat/TreeNode.h"

namespace plat {

// The value rules of the preferences over a key file: booleans and integers
// come only from dword values (another type leaves the value alone), texts
// from sz, expand_sz (not expanded) or the first string of multi_sz.
// Where the key file lives is up to the derived class.
class KeyFilePreferencesImp : public PreferencesImp {
public:
    explicit KeyFilePreferencesImp(TreeNode& node) : node_(node) {}

    bool ReadPath(const char* name, FileSpec& value) override;
    bool ReadBool(const char* name, bool& value) override;
    bool ReadInt(const char* name, std::int32_t& value) override;
    bool ReadString(const char* name, String& value) override;
    bool WritePath(const char* name, const FileSpec& value) override;
    bool WriteBool(const char* name, bool value) override;
    bool WriteInt(const char* name, std::int32_t value) override;
    bool WriteString(const char* name, const String& value) override;

protected:
    // False when there is no usable storage; a missing file is an empty one.
    virtual bool Load(KeyFile& file) = 0;
    virtual bool Save(const KeyFile& file) = 0;

private:
    bool Write(const char* name, const KeyFile::Value& value);

    TreeNode& node_;
};

// Preferences kept in memory for the life of the process, for tests and for
// running without a settings file.
class MemoryPreferencesImp : public KeyFilePreferencesImp {
public:
    using KeyFilePreferencesImp::KeyFilePreferencesImp;
    static std::unique_ptr<PreferencesImp> Make(TreeNode& node);
    // The shared text of every memory node, as the key file would hold it.
    static std::string& Storage();

protected:
    bool Load(KeyFile& file) override;
    bool Save(const KeyFile& file) override;
};

} // namespace plat
