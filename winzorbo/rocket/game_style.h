#pragma once

enum GameStyle { style_strict = 0, style_lenient = 1, style_bouncy = 2 };

// Chosen before a match; read by the contact and crash rules.
extern GameStyle game_style;
