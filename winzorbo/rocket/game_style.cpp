#include "rocket/game_style.h"

GameStyle game_style = style_strict;
