#pragma once

#include "plat/MemoryFile.h"
#include "plat/ResourceID.h"

namespace wkit {

// A read-only file over one of the program's compiled-in TEXT resources.
class ResourceFile : public plat::MemoryFile {
public:
    bool OpenResource(const plat::ResourceID& id, unsigned mode);
};

} // namespace wkit
