#include "plat/Preferences.h"

#include "plat/linux/Linux_PreferencesImp.h"

namespace plat {

namespace {
String company;
String product;
Preferences::ImpFactory factory = nullptr;
} // namespace

Preferences::Preferences() : TreeNode("") {}

Preferences& Preferences::Get() {
    static Preferences root;
    return root;
}

void Preferences::SetIdentity(const char* companyName, const char* productName) {
    company.Assign(companyName ? companyName : "");
    product.Assign(productName ? productName : "");
}

const String& Preferences::Company() {
    return company;
}

const String& Preferences::Product() {
    return product;
}

void Preferences::SetImpFactory(ImpFactory newFactory) {
    factory = newFactory;
}

String Preferences::SectionOf(const TreeNode& node) {
    String section("");
    for (const TreeNode* at = &node; at != nullptr && at->Parent() != nullptr; at = at->Parent()) {
        section = section.IsEmpty() ? at->Name() : at->Name() + "." + section;
    }
    return section;
}

PreferencesImp* Preferences::ImpOf(TreeNode& node) {
    if (node.Imp() == nullptr) {
        node.SetImp(factory ? factory(node) : std::make_unique<Linux_PreferencesImp>(node));
    }
    return node.Imp();
}

PreferencesImp* Preferences::Resolve(const char* key, String& valueName) {
    const String text(key);
    std::size_t lastDot = 0;
    if (!text.ReverseFind('.', lastDot)) {
        valueName = text;
        return ImpOf(*this);
    }
    valueName = text.Mid(lastDot + 1);
    TreeNode* node = this;
    std::size_t start = 0;
    while (start <= lastDot) {
        std::size_t dot = start;
        while (text[dot] != '.') {
            ++dot;
        }
        const String component = text.Mid(start, dot - start);
        TreeNode* child = node->FirstChildNode();
        while (child != nullptr && !child->Name().EqualsNoCase(component)) {
            child = child->NextSibling();
        }
        if (child == nullptr) {
            child = new TreeNode(component.c_str());
            node->AddFirstChild(child);
        }
        node = child;
        start = dot + 1;
    }
    return ImpOf(*node);
}

bool Preferences::GetBool(const char* key, bool defaultValue) {
    bool value = defaultValue;
    ReadBool(key, value);
    return value;
}

bool Preferences::ReadBool(const char* key, bool& value) {
    String name;
    return Resolve(key, name)->ReadBool(name.c_str(), value);
}

bool Preferences::ReadInt(const char* key, std::int32_t& value) {
    String name;
    return Resolve(key, name)->ReadInt(name.c_str(), value);
}

bool Preferences::ReadString(const char* key, String& value) {
    String name;
    return Resolve(key, name)->ReadString(name.c_str(), value);
}

bool Preferences::SetBool(const char* key, bool value) {
    String name;
    return Resolve(key, name)->WriteBool(name.c_str(), value);
}

bool Preferences::SetInt(const char* key, std::int32_t value) {
    String name;
    return Resolve(key, name)->WriteInt(name.c_str(), value);
}

bool Preferences::SetString(const char* key, const String& value) {
    String name;
    return Resolve(key, name)->WriteString(name.c_str(), value);
}

void Preferences::Flush() {
    DestroySubtree();
}

} // namespace plat
