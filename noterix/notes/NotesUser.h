#pragma once

#include "plat/String.h"

#include <vector>

class Note;

// What the notes keeper needs from the user interface: the note windows and
// the user's answers. The tray application implements it; tests script it.
class NotesUser {
public:
    virtual ~NotesUser() = default;
    // Every open note window copies its edits into its note.
    virtual void CopyEditsIntoNotes() = 0;
    virtual void OpenNoteWindow(Note& note) = 0;
    // The notes of the open note windows, in window-list order.
    virtual std::vector<Note*> OpenNotes() = 0;
    virtual void Alert(const plat::String& title, const plat::String& text) = 0;
    // True for "Yes".
    virtual bool AskYesNo(const plat::String& title, const plat::String& text) = 0;
};
