#include "tray/GuardedErrorReporter.h"

#include "notes/NotesKeeper.h"
#include "tray/PinnetWindow.h"

#include <optional>

void GuardedErrorReporter::Report(const plat::ErrorStack& errors) {
    std::optional<NotesKeeper::DialogOpen> showing;
    if (NotesKeeper* keeper = PinnetWindow::Keeper()) {
        showing.emplace(*keeper);
    }
    wKitErrorReporter::Report(errors);
}
