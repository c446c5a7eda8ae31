#pragma once

// The program's version, as the About box and --version show it.
constexpr int NoterixVersionMajor = 1;
constexpr int NoterixVersionMinor = 6;
constexpr const char* NoterixVersionText = "1.06";
