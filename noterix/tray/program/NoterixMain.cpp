// Noterix: sticky notes that live in the notification area.

#include "tray/PinnetApp.h"

namespace {
wkit::Application* MakeNoterix() {
    return new PinnetApp;
}
} // namespace

int main(int argc, char** argv) {
    return wkit::Main(argc, argv, &MakeNoterix);
}
