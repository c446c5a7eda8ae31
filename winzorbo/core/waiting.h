#pragma once

// Every screen that waits for the player or for the clock calls
// wait_a_moment() inside its loop, and sets the frame counter's rate with
// start_ticks/stop_ticks. In the game the moment is a millisecond of sleep
// and the rate is Allegro's timer. Without a platform (tests) Allegro has no
// timer: a replacement step then stands in for both, advancing the counter
// and typing keys as a player would.
void wait_a_moment();
void start_ticks(int milliseconds);
void stop_ticks();

using WaitStep = void (*)();
// nullptr goes back to sleeping and the real timer.
void replace_wait_step(WaitStep step);

// The window's close button asks the game to end. The request is kept until
// the game has shut down; every waiting loop gives way to it.
void watch_close_button();
bool close_requested();
void request_close();
void forget_close_request();

// Waits until a key is waiting and returns its scancode (readkey() >> 8);
// -1 once the window is being closed.
int wait_for_scancode();
