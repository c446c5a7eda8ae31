#pragma once

#include "startup/settings.h"
#include "startup/text_table.h"

#include <deque>
#include <functional>
#include <string>

struct BITMAP;

// Plays the game's screens as a person would, headless: there is no timer
// and no keyboard device, so every time the game waits for a moment the
// frame counter moves on by one, and keys from a script are typed into
// Allegro's key buffer whenever none is waiting. Escape held down (as a
// match is left) is let go at the next wait, which is then all it does; a
// wait in which the test presses Escape types nothing. When the script is used up
// while the game still waits, the player closes the window (unless told to
// wait), so a test can never hang.
class ScriptedPlayer {
public:
    ScriptedPlayer();
    ~ScriptedPlayer();
    ScriptedPlayer(const ScriptedPlayer&) = delete;
    ScriptedPlayer& operator=(const ScriptedPlayer&) = delete;

    // Scancodes, typed one per wait.
    void type(std::initializer_list<int> scancodes);

    long waits = 0;       // moments the game waited
    bool ran_out = false; // the game waited for a key beyond the script
    bool close_when_out = true;
    std::function<void()> on_wait; // looks at the game at every wait

private:
    static void step();
    std::deque<int> script_;
    BITMAP* own_surface_ = nullptr;
    BITMAP* previous_surface_ = nullptr;
    Settings previous_settings_;
};

// Every text id k as "S<k>" in Swedish and "E<k>" in English (with the
// argument the id takes), so a test can tell texts and languages apart. The
// game's own texts come back at the end.
class MarkedTexts {
public:
    MarkedTexts();
    ~MarkedTexts();

private:
    TextTable previous_;
};

// How many pixels of colour lie in the rectangle.
int count_colour(BITMAP* bitmap, int x, int y, int w, int h, int colour);
