#pragma once

#include <cstdint>

// Ids of the tray program's dialogs, menus, icon and commands.
enum TrayId : std::int32_t {
    IconNoterix = 102,
    MenuTray = 106,
    MenuCaptionPlain = 123,
    MenuCaptionColours = 124,
    DialogNote = 114,
    DialogOptions = 120,
    DialogAbout = 121,

    ControlNoteEdit = 1030,
    ControlAskDelete = 1031,
    ControlScrollBars = 1035,
    ControlColours = 1036,
    ControlVersion = 1037,
    ControlOnTop = 1038,
    ControlWebAddress = 1039,

    CommandExit = 101,
    CommandNewNote = 2000,
    CommandOptions = 2001,
    CommandShowAll = 32780,
    CommandSaveNow = 32781,
    CommandAbout = 32782,
    CommandHideAll = 32783,
    CommandHideNote = 32787,
    CommandDeleteNote = 32788,
    CommandYellow = 32789,
    CommandGreen = 32790,
    CommandBlue = 32791,
    CommandPink = 32792,
    CommandWhite = 32793,
    CommandOrange = 32794,
    CommandCyan = 32795,
    CommandSaveOpenNotes = 32796,
    CommandShowOrHide = 42001,
    CommandNoteList = 43000,
    CommandShowPlaceholder = 65535,
};

// Registers the templates with the GUI library (once).
void InstallTrayResources();
