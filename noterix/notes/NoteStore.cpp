#include "notes/NoteStore.h"

#include "plat/DiskFile.h"
#include "plat/ErrorStack.h"
#include "plat/FileSpecImp.h"

#include <algorithm>

NoteStore::~NoteStore() {
    for (Note* note : notes_) {
        delete note;
    }
}

bool NoteStore::GetAt(std::size_t index, Note*& note) const {
    if (index >= notes_.size()) {
        return false;
    }
    note = notes_[index];
    return true;
}

void NoteStore::Add(Note* note) {
    Remove(note);
    notes_.push_back(note);
}

void NoteStore::Remove(Note* note) {
    notes_.erase(std::remove(notes_.begin(), notes_.end(), note), notes_.end());
}

void NoteStore::Delete(Note* note) {
    Remove(note);
    delete note;
    changed_ = true;
}

bool NoteStore::HasGuid(const plat::Guid& guid) {
    for (Note* note : notes_) {
        plat::Guid own;
        if (note->GetGuid(own) && own == guid) {
            return true;
        }
    }
    return false;
}

bool NoteStore::IsModified() const {
    return changed_ ||
           std::any_of(notes_.begin(), notes_.end(), [](const Note* n) { return n->IsDirty(); });
}

bool NoteStore::IsFileOlderThanCurrent() const {
    return versionMajor_ < CurrentMajor ||
           (versionMajor_ == CurrentMajor && versionMinor_ < CurrentMinor);
}

bool NoteStore::LoadFromFile(const plat::FileSpec& path) {
    auto& errors = plat::ErrorStateStack::Get();
    plat::DiskFile file;
    if (!file.Open(path, plat::File::ReadMode)) {
        errors.Clear();
        // Only a file that is truly absent means "no notes"; one that is
        // there but cannot be opened must not be replaced unseen.
        if (path.Exists() != plat::FileSpec::Missing) {
            unreadablePath_ = path.Path();
        }
        return true;
    }
    if (!Read(file)) {
        unreadablePath_ = path.Path();
        return false;
    }
    file.Close();
    return true;
}

bool NoteStore::PreserveUnreadable(const plat::FileSpec& path) {
    if (unreadablePath_.IsEmpty() || !(unreadablePath_ == path.Path()) ||
        path.Exists() != plat::FileSpec::IsFile) {
        return true;
    }
    const plat::String aside =
        path.Path() + ".unreadable-" + plat::Time::Now().Format("%Y%m%d-%H%M%S");
    if (!plat::FileSpecImp::Get().CopyAside(path.Path(), aside)) {
        return false;
    }
    unreadablePath_.Empty();
    return true;
}

bool NoteStore::SaveToFile(const plat::FileSpec& path, bool openNotesOnly,
                           std::span<Note* const> openNotes) {
    if (!openNotesOnly && !PreserveUnreadable(path)) {
        return false;
    }
    plat::ReplacingFile file;
    if (!file.Open(path)) {
        return false;
    }
    // The notes count as saved only once the new file is in place.
    if (!WriteNotes(file, openNotesOnly ? openNotes : std::span<Note* const>(notes_)) ||
        !file.Commit()) {
        return false;
    }
    if (!openNotesOnly) {
        ClearModified();
    }
    return true;
}
