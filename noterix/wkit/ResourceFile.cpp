#include "wkit/ResourceFile.h"

#include "plat/ErrorStack.h"

namespace wkit {

bool ResourceFile::OpenResource(const plat::ResourceID& id, unsigned mode) {
    const plat::ResourceProvider* resources = plat::ResourceProvider::Get();
    const char* data = nullptr;
    std::size_t size = 0;
    if (id.kind != plat::ResourceID::TextKind || resources == nullptr ||
        !resources->FindText(id.id, data, size)) {
        return plat::ErrorStateStack::Get().Push(plat::ErrCannotOpen, plat::SeverityError,
                                                 "Unable to open resource-based file.");
    }
    const std::size_t before = plat::ErrorStateStack::Get().Count();
    if (!CreateAndOpen(data, size, mode)) {
        plat::ErrorStateStack::Get().DropNewerThan(before);
        return plat::ErrorStateStack::Get().Push(plat::ErrCannotOpen, plat::SeverityError,
                                                 "Unable to open resource-based file.");
    }
    return true;
}

} // namespace wkit
