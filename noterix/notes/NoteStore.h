#pragma once

#include "notes/Note.h"
#include "plat/File.h"
#include "plat/FileSpec.h"
#include "plat/FileSpecImp.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Every note of the user, in order, and their notes file.
class NoteStore {
public:
    NoteStore() = default;
    NoteStore(const NoteStore&) = delete;
    NoteStore& operator=(const NoteStore&) = delete;
    ~NoteStore();

    std::size_t Count() const { return notes_.size(); }
    bool GetAt(std::size_t index, Note*& note) const;
    // Moves the note to the end (taking ownership).
    void Add(Note* note);
    // Gives the note back to the caller without destroying it.
    void Remove(Note* note);
    void Delete(Note* note);
    bool HasGuid(const plat::Guid& guid);
    bool IsModified() const;

    std::uint32_t FileVersionMajor() const { return versionMajor_; }
    std::uint32_t FileVersionMinor() const { return versionMinor_; }
    // Older than the format this program writes (1.06).
    bool IsFileOlderThanCurrent() const;

    // A missing notes file is no notes; false when a file was there but could
    // not be read (the notes read so far stay in the store).
    bool LoadFromFile(const plat::FileSpec& path);
    // Writes a complete new file and swaps it in; on failure the old file is
    // untouched and the reason is on the error stack. A full save never
    // replaces a version of the notes file that someone else wrote since
    // this store last read or wrote it: that version is kept aside first.
    bool SaveToFile(const plat::FileSpec& path, bool openNotesOnly,
                    std::span<Note* const> openNotes = {});
    // The name of the copy the last full save kept aside of a file changed
    // elsewhere, handed out once; false when there is none to tell of.
    bool TakeChangedCopy(plat::String& path);

    // The notes file format.
    bool WriteAll(plat::File& file);
    bool WriteOpen(plat::File& file, std::span<Note* const> openNotes);
    static bool WriteNote(plat::File& file, Note& note);
    bool Read(plat::File& file);

    static constexpr std::uint32_t CurrentMajor = 1;
    static constexpr std::uint32_t CurrentMinor = 6;

private:
    // Copies a file this store could not read to a name of its own, once,
    // before anything replaces it.
    bool PreserveUnreadable(const plat::FileSpec& path);
    // Keeps the file at path aside if it is not the version last seen.
    bool KeepChangedVersion(const plat::FileSpec& path);
    // Copies the file to path + suffix + the time, in a name not yet taken.
    static bool CopyAside(const plat::FileSpec& path, const char* suffix, plat::String& copy);
    // What the file at path is now, as the version this store has seen.
    void RememberVersion(const plat::FileSpec& path);
    static bool WriteNotes(plat::File& file, std::span<Note* const> notes);
    void ClearModified();
    // Add for a note that cannot be in the store yet.
    void AppendNew(Note* note) { notes_.push_back(note); }

    std::vector<Note*> notes_;
    bool changed_ = false;
    std::uint32_t versionMajor_ = 99;
    std::uint32_t versionMinor_ = 99;
    plat::String unreadablePath_;
    // The version of the notes file last read or written, when known.
    bool seenKnown_ = false;
    plat::String seenPath_;
    plat::FileStamp seen_;
    plat::String changedCopy_;
};
