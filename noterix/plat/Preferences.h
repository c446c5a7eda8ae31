#pragma once

#include "plat/PreferencesImp.h"
#include "plat/TreeNode.h"

#include <memory>

namespace plat {

// Settings by dotted key ("UI.ShowScrollBars"): every component but the last
// names a node, the last a value in it. Names match without regard to case.
// Reads fall back to the caller's default; writes go straight to storage.
class Preferences : public TreeNode {
public:
    using ImpFactory = std::unique_ptr<PreferencesImp> (*)(TreeNode& node);

    static Preferences& Get();
    static void SetIdentity(const char* company, const char* product);
    static const String& Company();
    static const String& Product();
    // Chooses the storage for nodes made from now on; null restores the
    // key file. Call Flush first so that every node gets the new storage.
    static void SetImpFactory(ImpFactory factory);

    bool GetBool(const char* key, bool defaultValue);
    bool ReadBool(const char* key, bool& value);
    bool ReadInt(const char* key, std::int32_t& value);
    bool ReadString(const char* key, String& value);
    bool SetBool(const char* key, bool value);
    bool SetInt(const char* key, std::int32_t value);
    bool SetString(const char* key, const String& value);
    // Destroys every node below the root and the root's back-end.
    void Flush();

    // The node path of a node below the root, components joined with '.'.
    static String SectionOf(const TreeNode& node);

private:
    Preferences();
    // The node that holds the key's value and the value's name.
    PreferencesImp* Resolve(const char* key, String& valueName);
    PreferencesImp* ImpOf(TreeNode& node);
};

} // namespace plat
