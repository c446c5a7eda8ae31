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
    // Taken before the read: a change that lands while reading then shows
    // as a change, rather than going unseen.
    RememberVersion(path);
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

void NoteStore::RememberVersion(const plat::FileSpec& path) {
    auto& errors = plat::ErrorStateStack::Get();
    const std::size_t before = errors.Count();
    seenKnown_ = plat::FileSpecImp::Get().Stamp(path.Path(), seen_);
    seenPath_ = path.Path();
    errors.DropNewerThan(before); // unknown only means nothing to compare with
}

bool NoteStore::CopyAside(const plat::FileSpec& path, const char* suffix, plat::String& copy) {
    auto& errors = plat::ErrorStateStack::Get();
    const plat::String base = path.Path() + suffix + plat::Time::Now().Format("%Y%m%d-%H%M%S");
    // Two copies within a second get numbered names; an existing copy is
    // never replaced.
    constexpr int attempts = 100;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        copy = base;
        if (attempt > 1) {
            plat::String number;
            number.Format("-%d", attempt);
            copy.Append(number);
        }
        const std::size_t before = errors.Count();
        if (plat::FileSpecImp::Get().CopyAside(path.Path(), copy)) {
            return true;
        }
        if (errors.Top().code != plat::ErrAlreadyExists || attempt == attempts) {
            return false;
        }
        errors.DropNewerThan(before);
    }
    return false;
}

bool NoteStore::PreserveUnreadable(const plat::FileSpec& path) {
    if (unreadablePath_.IsEmpty() || !(unreadablePath_ == path.Path()) ||
        path.Exists() != plat::FileSpec::IsFile) {
        return true;
    }
    plat::String copy;
    if (!CopyAside(path, ".unreadable-", copy)) {
        return false;
    }
    unreadablePath_.Empty();
    return true;
}

bool NoteStore::KeepChangedVersion(const plat::FileSpec& path) {
    if (!seenKnown_) {
        return true; // nothing seen to compare with
    }
    plat::FileStamp now;
    if (!plat::FileSpecImp::Get().Stamp(path.Path(), now)) {
        return false; // unable to tell: never overwrite blindly
    }
    // A file under another name than the one read (an old notes.pinnet put
    // back while the program runs) is a version never seen, too.
    if (!now.exists || (seenPath_ == path.Path() && now == seen_)) {
        return true;
    }
    plat::String copy;
    if (!CopyAside(path, ".changed-", copy)) {
        return false;
    }
    // That version is safe now; should this save fail, the next one must
    // not keep it a second time.
    seen_ = now;
    seenPath_ = path.Path();
    unreadablePath_.Empty(); // whatever could not be read has been replaced
    changedCopy_ = copy;
    return true;
}

bool NoteStore::TakeChangedCopy(plat::String& path) {
    if (changedCopy_.IsEmpty()) {
        return false;
    }
    path = changedCopy_;
    changedCopy_.Empty();
    return true;
}

bool NoteStore::SaveToFile(const plat::FileSpec& path, bool openNotesOnly,
                           std::span<Note* const> openNotes) {
    if (!openNotesOnly && (!KeepChangedVersion(path) || !PreserveUnreadable(path))) {
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
        seenKnown_ = true;
        seenPath_ = path.Path();
        seen_ = file.Written();
    }
    return true;
}
