#include "plat/ResourceID.h"

#include <cstdarg>

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

bool ResourceID::FormatString(String& out, ...) const {
    String format;
    if (!LoadString(format)) {
        return false;
    }
    std::va_list arguments;
    va_start(arguments, out);
    const bool ok = out.FormatV(format.c_str(), arguments);
    va_end(arguments);
    return ok;
}

} // namespace plat
