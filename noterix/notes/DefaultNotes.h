#pragma once

// The two notes that ship with the program, in the notes file format. Each
// has a fixed identifier so that it is added to a user's notes only once.
const char* HowToUseNote();
const char* VersionHistoryNote();
