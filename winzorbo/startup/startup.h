#pragma once

// The whole program: start-up, intro, shut-down. Returns the exit code.
// "--fullscreen" asks for a full-screen mode; otherwise a 640x480 window.
int run_winzorbo(int argc, char** argv);
