#pragma once

struct BITMAP;
struct DATAFILE;
struct FONT;

// What lives from start-up to shut-down.
extern DATAFILE* zorbo_data; // "Zorbo.dat"
extern BITMAP* surface;      // the 640x480 drawing surface that is the screen
extern FONT* game_font;      // object 24, the only font

// Object i of "Zorbo.dat" as a pointer of the wanted kind.
template <typename T>
T* zorbo_object(int index);
