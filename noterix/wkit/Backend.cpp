#include "wkit/Backend.h"

namespace wkit {

namespace {
ApplicationImp* currentImp = nullptr;
} // namespace

ApplicationImp* ApplicationImp::Current() {
    return currentImp;
}

void ApplicationImp::SetCurrent(ApplicationImp* imp) {
    currentImp = imp;
}

} // namespace wkit
