#include "notes/InstanceLock.h"

#include "plat/FileSpecImp.h"

#include <cerrno>

InstanceLock::~InstanceLock() {
    Release();
}

InstanceLock::Result InstanceLock::Acquire(const plat::String& lockPath) {
    if (IsHeld()) {
        return Result::Acquired;
    }
    error_ = 0;
    handle_ = plat::FileSpecImp::Get().Lock(lockPath, error_);
    if (handle_ >= 0) {
        return Result::Acquired;
    }
    return error_ == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
}

void InstanceLock::Release() {
    if (handle_ >= 0) {
        plat::FileSpecImp::Get().Unlock(handle_);
        handle_ = -1;
    }
}
