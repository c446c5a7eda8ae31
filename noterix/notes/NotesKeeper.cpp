#include "notes/NotesKeeper.h"

#include "notes/ColourCycle.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/ResourceID.h"
#include "plat/Timers.h"

namespace {

constexpr const char* notesName = "Noterix.notes";
constexpr const char* oldNotesName = "notes.pinnet";
constexpr const char* openNotesName = "opennotes.txt";

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
    plat::String titleText, bodyText;
    plat::ResourceID{plat::ResourceID::StringKind, title}.LoadString(titleText);
    plat::ResourceID{plat::ResourceID::StringKind, text}.LoadString(bodyText);
    user_.Alert(titleText, bodyText);
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
    oldPath.Append(oldNotesName);
    plat::FileSpec newPath(folder_);
    newPath.Append(notesName);
    if (oldPath.Exists() == plat::FileSpec::IsFile) {
        // The rename never replaces a file; with both present the old one
        // stays in use rather than losing either.
        if (!oldPath.MoveTo(newPath)) {
            plat::ErrorStateStack::Get().Clear();
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
    return GetNotesPath(path) && store_.SaveToFile(path, false);
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
    user_.CopyEditsIntoNotes();
    if (store_.IsModified()) {
        SaveNow();
    }
}

bool NotesKeeper::SaveOpenNotes() {
    user_.CopyEditsIntoNotes();
    plat::FileSpec path;
    if (!GetNotesPath(path)) {
        plat::ErrorStateStack::Get().Clear();
        return false;
    }
    plat::FileSpec openPath(path.Folder());
    openPath.Append(openNotesName);
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

void NotesKeeper::StartAutosave() {
    if (timer_ == 0) {
        timer_ = plat::Timers::StartTimer(true, AutosaveMilliseconds, AutosaveTick, this);
    }
}

void NotesKeeper::StopAutosave() {
    if (timer_ != 0) {
        plat::Timers::StopTimer(timer_);
        timer_ = 0;
    }
}
