#pragma once

// A ControlCode names one input: a keyboard scancode (0..999), a joystick
// button (1000*(j+1) + b) or a joystick stick direction
// (1000*(j+1) + 100 + 10*s + a negative, + 200 positive).
// True while that input is held. Codes that name no existing key, joystick,
// button, stick or axis are simply never active.
bool control_active(int code);
