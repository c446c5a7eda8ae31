#pragma once

#include <cstdint>

// Ids of the program's string and TEXT resources.
enum StringId : std::uint16_t {
    StringProgramName = 100,
    StringProblemTitle = 101,
    StringSaveFailed = 102,
    StringLoadFailedTitle = 103,
    StringLoadFailed = 104,
    StringWrongFormat = 105,
    StringDeleteNoteTitle = 106,
    StringDeleteNoteQuestion = 107,
    StringShow = 108,
    StringCreateNewNote = 109,
    StringSaveErrorRetry = 110,
    StringDiskFullRetry = 111,
    StringRetryTitle = 112,
    StringNoFolder = 113,
    StringAlreadyRunning = 120,
    StringCannotLock = 121,
    StringLockedElsewhere = 122,
    StringChangedElsewhere = 123,
};

enum TextId : std::uint16_t {
    TextHowToUse = 126,
    TextVersionHistory = 127,
};

// Makes the tables above the program's resources.
void InstallNoterixResources();
