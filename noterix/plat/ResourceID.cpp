#include "plat/ResourceID.h"

namespace plat {

namespace {
const ResourceProvider* current = nullptr;
} // namespace

const ResourceProvider* ResourceProvider::Get() {
    return current;
}

void ResourceProvider::Install(const ResourceProvider* provider) {
    current = provider;
}

bool ResourceID::LoadString(String& out) const {
    if (id == 0 || current == nullptr) {
        return false;
    }
    const char* text = current->FindString(id);
    if (text == nullptr || *text == '\0') {
        return false;
    }
    out.Assign(text);
    return true;
}

} // namespace plat
