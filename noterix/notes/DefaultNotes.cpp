#include "notes/DefaultNotes.h"

const char* HowToUseNote() {
    return R"(!Noterix: 1.06
[start:note]
time-created: 2026/12/01 09:00
time-modified: 2026/12/01 09:00
time-accessed: 2026/12/01 09:00
position: 72 59
size: 296 216
colour: #FFFFCC
visible: yes
guid: 6c5b4a3f2e1d5c8ae0463d9b7e2a1c4f
[start:contents]
#Noterix - How to Use
#
#Noterix keeps sticky notes on your desktop. It lives as an icon in the notification area of your panel.
#
#- Double-click the icon to create a new note.
#- Click the icon to see the list of your notes; pick one to show it.
#- Right-click the icon for the main menu: show or hide all notes, save now, options and exit.
#- Drag a note by its title strip to move it; drag its edges to resize it.
#- Double-click the title strip to fold the note to its title, and again to unfold it.
#- The minimise button on the title strip hides the note; hidden notes stay in the list. The close box deletes it, after asking.
#- Right-click the title strip to change the note's colour, hide it or delete it.
#
#The first line of a note is its title in the lists.
#
#Your notes are kept in the file Noterix.notes in your Documents folder. They are saved every minute when something has changed, and when you exit. The file is plain text: you can copy it to another computer.
#
#This note can be deleted like any other; it will not come back.
[end:contents]
[end:note]
)";
}

const char* VersionHistoryNote() {
    return R"(!Noterix: 1.06
[start:note]
time-created: 2026/12/01 09:00
time-modified: 2026/12/01 09:00
time-accessed: 2026/12/01 09:00
position: 400 90
size: 296 216
colour: #CCFFFF
visible: yes
guid: e7b5f3d1a9c7e5b0d648f3a1b4c9e2d7
[start:contents]
#Noterix - Version History
#
#1.06
#- Runs on Linux desktops, with its icon in the notification area.
#- Notes are saved to a new file first and then put in place, so a full disk or a crash can no longer damage the notes you already have.
#- A notes file that cannot be read is kept aside instead of replaced.
#- A notes file that another program changed (a sync tool, another computer) is kept aside too, and you are told, before Noterix saves.
#- Empty lines at the start of a note are kept.
#- Only one copy of Noterix works on your notes at a time.
#- Settings live in ~/.config/Tallowbrook/Noterix.conf.
#
#1.05
#- The notes file is now called Noterix.notes; an older notes.pinnet is renamed on first use.
#- Notes remember whether they are folded.
#
#1.04
#- Each note keeps an identifier, so notes can be merged without duplicates.
[end:contents]
[end:note]
)";
}
