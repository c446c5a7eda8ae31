#pragma once

// The two intro pictures with their fades; a key shortens each wait and
// speeds up the fade that follows.
void run_intro();
