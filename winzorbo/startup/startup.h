#pragma once

// The whole program: start-up, the first start's language, the intro, the
// menus until quit, shut-down. Returns the exit code.
// "--fullscreen" asks for a full-screen mode; otherwise a 640x480 window.
int run_winzorbo(int argc, char** argv);
