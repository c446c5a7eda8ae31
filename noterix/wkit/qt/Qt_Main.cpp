// The default back-end and the program entry.

#include "wkit/Application.h"
#include "wkit/qt/Qt_ApplicationImp.h"

namespace wkit {

namespace {
int savedArgc = 0;
char** savedArgv = nullptr;
} // namespace

bool Application::CreateImp() {
    SetImp(std::make_unique<Qt_ApplicationImp>(savedArgc, savedArgv));
    return true;
}

int Main(int argc, char** argv, ApplicationFactory factory) {
    savedArgc = argc;
    savedArgv = argv;
    Application* application = factory();
    if (application == nullptr) {
        return -1;
    }
    const std::int32_t code = application->RunProgram();
    delete application;
    return code < 0 ? -1 : 0;
}

} // namespace wkit
