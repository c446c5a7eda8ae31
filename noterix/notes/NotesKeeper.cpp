#include "notes/NotesKeeper.h"

#include "notes/ColourCycle.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/ResourceID.h"
#include "plat/SystemError.h"
#include "plat/Timers.h"

#include <cstring>

namespace {

void AutosaveTick(std::uint32_t, void* data) {
    static_cast<NotesKeeper*>(data)->Autosave();
}

} // namespace

NotesKeeper::NotesKeeper(NotesUser& user) : user_(user) {
    InstallNoterixResources();
}

NotesKeeper::~NotesKeeper() {
    StopAutosave();
}

void NotesKeeper::Alert(std::uint16_t title, std::uint16_t text) {
    plat::String bodyText;
    plat::ResourceID{plat::ResourceID::StringKind, text}.LoadString(bodyText);
    AlertText(title, bodyText);
}

void NotesKeeper::AlertText(std::uint16_t title, const plat::String& text) {
    plat::String titleText;
    plat::ResourceID{plat::ResourceID::StringKind, title}.LoadString(titleText);
    const DialogOpen open(*this);
    user_.Alert(titleText, text);
}

bool NotesKeeper::Ask(std::uint16_t title, const plat::String& text) {
    plat::String titleText;
    plat::ResourceID{plat::ResourceID::StringKind, title}.LoadString(titleText);
    const DialogOpen open(*this);
    return user_.AskYesNo(titleText, text);
}

bool NotesKeeper::TakeLock() {
    auto& errors = plat::ErrorStateStack::Get();
    if (lock_.IsHeld()) {
        return true;
    }
    plat::String text;
    if (!standingDown_) {
        if (!FindFolder()) {
            return false;
        }
        plat::FileSpec lockPath(folder_);
        lockPath.Append(LockName);
        lockResult_ = lock_.Acquire(lockPath.Path());
        if (lockResult_ == InstanceLock::Result::Acquired) {
            return true;
        }
    }
    if (standingDown_ || lockResult_ == InstanceLock::Result::HeldElsewhere) {
        plat::ResourceID{plat::ResourceID::StringKind, StringLockedElsewhere}.LoadString(text);
        return errors.Push(plat::ErrAccessDenied, plat::SeverityError, text.c_str());
    }
    // Named by its cause, so that a full disk gets the disk-full question.
    plat::ResourceID{plat::ResourceID::StringKind, StringCannotLock}.FormatString(
        text, std::strerror(lock_.LastError()));
    return errors.Push(plat::MapSystemError(lock_.LastError()), plat::SeverityError, text.c_str());
}

void NotesKeeper::TellOfChangedCopy() {
    plat::String copy, text;
    if (store_.TakeChangedCopy(copy)) {
        plat::ResourceID{plat::ResourceID::StringKind, StringChangedElsewhere}.FormatString(
            text, copy.c_str());
        AlertText(StringProgramName, text);
    }
}

bool NotesKeeper::FindFolder() {
    if (folderFound_) {
        return true;
    }
    auto& errors = plat::ErrorStateStack::Get();
    plat::FileSpec folder;
    if (!folder.SetToDocumentsFolder()) {
        errors.Clear();
        if (!folder.SetToDocumentsFolder()) {
            errors.Clear();
            if (!folder.SetToProgramFolder()) {
                plat::String text;
                plat::ResourceID{plat::ResourceID::StringKind, StringNoFolder}.LoadString(text);
                return errors.Push(plat::ErrNoNotesFolder, plat::SeverityError, text.c_str());
            }
        }
    }
    folder_ = folder;
    folderFound_ = true;
    return true;
}

bool NotesKeeper::GetNotesPath(plat::FileSpec& out) {
    if (!FindFolder()) {
        return false;
    }
    plat::FileSpec oldPath(folder_);
    oldPath.Append(OldNotesName);
    plat::FileSpec newPath(folder_);
    newPath.Append(NotesName);
    if (oldPath.Exists() == plat::FileSpec::IsFile) {
        auto& errors = plat::ErrorStateStack::Get();
        const std::size_t before = errors.Count();
        // Only the copy that looks after the notes renames them. The rename
        // never replaces a file; with both present the old one stays in use
        // rather than losing either.
        if (!TakeLock() || !oldPath.MoveTo(newPath)) {
            errors.DropNewerThan(before);
            out = oldPath;
            return true;
        }
    }
    out = newPath;
    return true;
}

bool NotesKeeper::LoadNotes() {
    plat::FileSpec path;
    if (!GetNotesPath(path) || !store_.LoadFromFile(path)) {
        plat::ErrorStateStack::Get().Clear();
        Alert(StringLoadFailedTitle, StringLoadFailed);
        return false;
    }
    for (std::size_t i = 0; i < store_.Count(); ++i) {
        Note* note = nullptr;
        if (store_.GetAt(i, note) && note->IsVisible()) {
            user_.OpenNoteWindow(*note);
        }
    }
    return true;
}

bool NotesKeeper::SaveNotes() {
    user_.CopyEditsIntoNotes();
    plat::FileSpec path;
    if (!TakeLock() || !GetNotesPath(path)) {
        return false;
    }
    if (!store_.SaveToFile(path, false)) {
        // A version kept aside before a failed save is still the file in
        // place too; the user hears of it once ours has replaced it.
        return false;
    }
    TellOfChangedCopy();
    return true;
}

bool NotesKeeper::SaveNow() {
    if (SaveNotes()) {
        return true;
    }
    plat::ErrorStateStack::Get().Clear();
    Alert(StringProblemTitle, StringSaveFailed);
    return false;
}

void NotesKeeper::Autosave() {
    if (IsDialogOpen()) {
        return; // the next tick comes soon enough
    }
    user_.CopyEditsIntoNotes();
    if (store_.IsModified()) {
        SaveNow();
    }
}

bool NotesKeeper::SaveOpenNotes() {
    user_.CopyEditsIntoNotes();
    plat::FileSpec path;
    if (!TakeLock() || !GetNotesPath(path)) {
        plat::ErrorStateStack::Get().Clear();
        return false;
    }
    plat::FileSpec openPath(path.Folder());
    openPath.Append(OpenNotesName);
    const std::vector<Note*> open = user_.OpenNotes();
    if (!store_.SaveToFile(openPath, true, open)) {
        plat::ErrorStateStack::Get().Clear(); // this one fails quietly
        return false;
    }
    return true;
}

Note* NotesKeeper::CreateNote() {
    auto* note = new Note;
    note->SetColour(NextNoteColour());
    plat::Guid guid;
    note->GetGuid(guid);
    store_.Add(note);
    user_.OpenNoteWindow(*note);
    return note;
}

void NotesKeeper::StartAutosave(std::uint32_t milliseconds) {
    if (timer_ == 0) {
        timer_ = plat::Timers::StartTimer(true, milliseconds, AutosaveTick, this);
    }
}

void NotesKeeper::StopAutosave() {
    if (timer_ != 0) {
        plat::Timers::StopTimer(timer_);
        timer_ = 0;
    }
}
