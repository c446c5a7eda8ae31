// Start-up of the notes: the lock, the load and the shipped notes.

#include "notes/NotesKeeper.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/FileSpecImp.h"
#include "plat/Preferences.h"
#include "wkit/ResourceFile.h"

bool NotesKeeper::ClaimNotes() {
    if (claimed_) {
        return !standingDown_;
    }
    claimed_ = true;
    auto& errors = plat::ErrorStateStack::Get();
    // A second copy working on the same file would overwrite the first
    // one's changes at every save, so it stops here, before it has touched
    // anything.
    if (TakeLock()) {
        RemoveStaleTemporaries();
    } else if (lockResult_ == InstanceLock::Result::HeldElsewhere) {
        standingDown_ = true;
        errors.Clear();
        Alert(StringProblemTitle, StringAlreadyRunning);
        return false;
    } else {
        errors.Clear(); // no folder, or no lock to be had: the saves will say so
    }
    return true;
}

bool NotesKeeper::StartUp() {
    if (!ClaimNotes()) {
        return false;
    }
    LoadNotes();
    if (store_.IsFileOlderThanCurrent()) {
        LoadDefaultNote(TextVersionHistory);
    }
    auto& preferences = plat::Preferences::Get();
    if (preferences.GetBool("System.FirstRun", true)) {
        LoadDefaultNote(TextHowToUse);
        preferences.SetBool("System.FirstRun", false);
    }
    return true;
}

void NotesKeeper::RemoveStaleTemporaries() {
    for (const char* name : {NotesName, OldNotesName, OpenNotesName}) {
        plat::FileSpec path(folder_);
        path.Append(name);
        plat::FileSpecImp::Get().RemoveStaleTemporaries(path.Path());
    }
}

bool NotesKeeper::LoadDefaultNote(std::uint16_t resource) {
    wkit::ResourceFile file;
    NoteStore shipped;
    if (!file.OpenResource(plat::ResourceID{plat::ResourceID::TextKind, resource},
                           plat::File::ReadMode) ||
        !shipped.Read(file)) {
        return false;
    }
    Note* note = nullptr;
    while (shipped.GetAt(0, note)) {
        plat::Guid guid;
        if (note->GetGuid(guid) && !store_.HasGuid(guid)) {
            shipped.Remove(note);
            store_.Add(note);
            user_.OpenNoteWindow(*note);
        } else {
            shipped.Delete(note);
        }
    }
    return true;
}
