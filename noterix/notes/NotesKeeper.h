#pragma once

#include "notes/InstanceLock.h"
#include "notes/NoteStore.h"
#include "notes/NotesUser.h"
#include "plat/ErrorStack.h"
#include "plat/FileSpec.h"

#include <cstdint>

// The application's side of the notes: where the notes file lives, loading
// at start-up, the saves (menu, timer, quit) and the shipped notes.
class NotesKeeper {
public:
    explicit NotesKeeper(NotesUser& user);
    NotesKeeper(const NotesKeeper&) = delete;
    NotesKeeper& operator=(const NotesKeeper&) = delete;
    ~NotesKeeper();

    NoteStore& Store() { return store_; }

    // The notes file, moving an old "notes.pinnet" to its new name first.
    bool GetNotesPath(plat::FileSpec& out);
    // Takes the notes lock, loads the notes, adds the shipped notes that are
    // due. False when another copy of the program already has the notes; the
    // user has been told and the program should end.
    bool StartUp();
    bool LoadNotes();
    bool LoadDefaultNote(std::uint16_t resource);
    bool SaveNotes();
    bool SaveNow();
    void Autosave();
    bool SaveOpenNotes();
    // The final save, asking the user whether to retry while it fails.
    void Quit();
    // A new note with the next colour and an identifier, added and shown.
    Note* CreateNote();

    void StartAutosave();
    void StopAutosave();
    static constexpr std::uint32_t AutosaveMilliseconds = 60000;

private:
    bool FindFolder();
    void Alert(std::uint16_t title, std::uint16_t text);
    bool AskAboutFailedSave(const plat::ErrorInfo& error);

    NotesUser& user_;
    NoteStore store_;
    plat::FileSpec folder_;
    bool folderFound_ = false;
    InstanceLock lock_;
    std::uint32_t timer_ = 0;
};
