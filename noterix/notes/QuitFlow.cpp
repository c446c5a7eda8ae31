// The final save at quit, which keeps asking the user while it fails.

#include "notes/NotesKeeper.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/ResourceID.h"

bool NotesKeeper::AskAboutFailedSave(const plat::ErrorInfo& error) {
    auto& errors = plat::ErrorStateStack::Get();
    plat::String text;
    if (error.code == plat::ErrDiskFull) {
        errors.Clear();
        plat::String where;
        plat::FileSpec path;
        if (GetNotesPath(path) && !plat::FileSpec::Volume(path.Path(), where)) {
            // Paths here have no drive letters: name the folder instead.
            where = path.Folder();
        }
        errors.Clear();
        plat::ResourceID{plat::ResourceID::StringKind, StringDiskFullRetry}.FormatString(
            text, where.c_str());
    } else {
        const plat::String message = error.message;
        errors.Clear();
        plat::ResourceID{plat::ResourceID::StringKind, StringSaveErrorRetry}.FormatString(
            text, message.c_str());
    }
    return Ask(StringRetryTitle, text);
}

void NotesKeeper::Quit() {
    auto& errors = plat::ErrorStateStack::Get();
    StopAutosave();
    if (standingDown_) {
        return; // the notes are another copy's to save
    }
    user_.CopyEditsIntoNotes();
    while (!SaveNotes()) {
        const plat::ErrorInfo& top = errors.Top();
        if (top.code == plat::ErrNoNotesFolder) {
            errors.Clear();
            break;
        }
        if (!AskAboutFailedSave(top)) {
            break;
        }
    }
    lock_.Release();
}
