// Noterix: sticky notes that live in the notification area.

#include "tray/PinnetApp.h"
#include "tray/Version.h"
#include "wkit/CommandLine.h"

namespace {
wkit::Application* MakeNoterix() {
    return new PinnetApp;
}
} // namespace

int main(int argc, char** argv) {
    const wkit::ProgramInfo info{"Noterix", NoterixVersionText,
                                 "Sticky notes that live in the notification area.", "Noterix(1)"};
    if (const int status = wkit::CheckCommandLine(argc, argv, info, stdout, stderr); status >= 0) {
        return status;
    }
    return wkit::Main(argc, argv, &MakeNoterix);
}
