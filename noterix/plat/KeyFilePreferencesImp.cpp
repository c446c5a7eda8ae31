#include "plat/KeyFilePreferencesImp.h"

#include "plat/Preferences.h"

namespace plat {

bool KeyFilePreferencesImp::ReadPath(const char* name, FileSpec& value) {
    String text;
    if (!ReadString(name, text)) {
        return false;
    }
    value = FileSpec(text);
    return true;
}

bool KeyFilePreferencesImp::ReadBool(const char* name, bool& value) {
    std::int32_t number = value ? 1 : 0;
    if (!ReadInt(name, number)) {
        return false;
    }
    value = number != 0;
    return true;
}

bool KeyFilePreferencesImp::ReadInt(const char* name, std::int32_t& value) {
    KeyFile file;
    if (!Load(file)) {
        return false;
    }
    const KeyFile::Value* found = file.Find(Preferences::SectionOf(node_).c_str(), name);
    if (found == nullptr) {
        return false;
    }
    if (found->type == KeyFile::Type::Dword) {
        value = static_cast<std::int32_t>(found->dword);
    }
    return true;
}

bool KeyFilePreferencesImp::ReadString(const char* name, String& value) {
    KeyFile file;
    if (!Load(file)) {
        return false;
    }
    const KeyFile::Value* found = file.Find(Preferences::SectionOf(node_).c_str(), name);
    if (found == nullptr) {
        return false;
    }
    switch (found->type) {
    case KeyFile::Type::Sz:
    case KeyFile::Type::ExpandSz:
    case KeyFile::Type::MultiSz:
        // Texts end at their first NUL, which also picks the first string of
        // a multi-string value.
        value.Assign(found->bytes.c_str());
        return true;
    default:
        return false;
    }
}

bool KeyFilePreferencesImp::Write(const char* name, const KeyFile::Value& value) {
    KeyFile file;
    if (Preferences::Product().IsEmpty() || !Load(file)) {
        return false;
    }
    file.Set(Preferences::SectionOf(node_).c_str(), name, value);
    return Save(file);
}

bool KeyFilePreferencesImp::WritePath(const char* name, const FileSpec& value) {
    return WriteString(name, value.Path());
}

bool KeyFilePreferencesImp::WriteBool(const char* name, bool value) {
    return WriteInt(name, value ? 1 : 0);
}

bool KeyFilePreferencesImp::WriteInt(const char* name, std::int32_t value) {
    KeyFile::Value stored;
    stored.type = KeyFile::Type::Dword;
    stored.dword = static_cast<std::uint32_t>(value);
    return Write(name, stored);
}

bool KeyFilePreferencesImp::WriteString(const char* name, const String& value) {
    KeyFile::Value stored;
    stored.type = KeyFile::Type::Sz;
    stored.bytes.assign(value.c_str(), value.Length());
    return Write(name, stored);
}

std::unique_ptr<PreferencesImp> MemoryPreferencesImp::Make(TreeNode& node) {
    return std::make_unique<MemoryPreferencesImp>(node);
}

std::string& MemoryPreferencesImp::Storage() {
    static std::string text;
    return text;
}

bool MemoryPreferencesImp::Load(KeyFile& file) {
    return !Preferences::Product().IsEmpty() && file.Parse(Storage());
}

bool MemoryPreferencesImp::Save(const KeyFile& file) {
    Storage() = file.Serialize();
    return true;
}

} // namespace plat
