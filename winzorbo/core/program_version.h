#pragma once

// What every WinZorbo program answers to --version: "NAME VERSION" on the
// first line, as the GNU programs do, so that scripts can read it. NAME is
// the program's own; tools name the game after it.
void print_version(const char* program);

// The game's own version, as its title screen shows it.
const char* program_version();
