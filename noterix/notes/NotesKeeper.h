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

    // The notes file, moving an old "notes.pinnet" to its new name first
    // (only while holding the lock; without it the old name is used as is).
    bool GetNotesPath(plat::FileSpec& out);
    // Takes the notes lock, loads the notes, adds the shipped notes that are
    // due. False when another copy of the program already has the notes; the
    // user has been told and the program should end: this keeper then never
    // writes anything. When the lock cannot be made at all, the notes load
    // and every save fails until it can be taken.
    bool StartUp();
    // The lock part of the start-up alone, for a program that wants to know
    // before it shows anything at all: false when another copy already has
    // the notes (the user has been told once; StartUp fails then too).
    bool ClaimNotes();
    bool LoadNotes();
    bool LoadDefaultNote(std::uint16_t resource);
    bool SaveNotes();
    bool SaveNow();
    void Autosave();
    bool SaveOpenNotes();
    // The final save, asking the user whether to retry while it fails. The
    // autosave stops first, so that no tick lands under a question.
    void Quit();
    // A new note with the next colour and an identifier, added and shown.
    Note* CreateNote();

    void StartAutosave(std::uint32_t milliseconds = AutosaveMilliseconds);
    void StopAutosave();
    static constexpr std::uint32_t AutosaveMilliseconds = 60000;

    // Held while a modal dialog of the program is open (the keeper's own
    // alerts and questions hold one too): autosave ticks that arrive
    // meanwhile are skipped, so that no save starts, and no second alert
    // opens, under a dialog the user has not answered yet.
    class DialogOpen {
    public:
        explicit DialogOpen(NotesKeeper& keeper) : keeper_(keeper) { ++keeper_.dialogsOpen_; }
        ~DialogOpen() { --keeper_.dialogsOpen_; }
        DialogOpen(const DialogOpen&) = delete;
        DialogOpen& operator=(const DialogOpen&) = delete;

    private:
        NotesKeeper& keeper_;
    };
    bool IsDialogOpen() const { return dialogsOpen_ > 0; }

    // The lock file's one name, in the notes folder whichever notes file is
    // in use.
    static constexpr const char* LockName = "Noterix.notes.lock";
    static constexpr const char* NotesName = "Noterix.notes";
    static constexpr const char* OldNotesName = "notes.pinnet";
    static constexpr const char* OpenNotesName = "opennotes.txt";

private:
    bool FindFolder();
    // True while this copy holds the notes lock, taking it when it can;
    // otherwise false with the reason pushed.
    bool TakeLock();
    void Alert(std::uint16_t title, std::uint16_t text);
    void AlertText(std::uint16_t title, const plat::String& text);
    bool Ask(std::uint16_t title, const plat::String& text);
    bool AskAboutFailedSave(const plat::ErrorInfo& error);
    // Tells the user of a version of the notes file that a save kept aside.
    void TellOfChangedCopy();
    // Of the notes files' temporaries, those a killed copy left behind.
    void RemoveStaleTemporaries();

    NotesUser& user_;
    NoteStore store_;
    plat::FileSpec folder_;
    bool folderFound_ = false;
    InstanceLock lock_;
    InstanceLock::Result lockResult_ = InstanceLock::Result::Unavailable;
    // Another copy had the lock at start-up: this one stands down for good.
    // (One that loses the lock later keeps trying, as its edits are its
    // user's, and a save then keeps the other copy's file aside.)
    bool standingDown_ = false;
    bool claimed_ = false;
    std::uint32_t timer_ = 0;
    int dialogsOpen_ = 0;
};
