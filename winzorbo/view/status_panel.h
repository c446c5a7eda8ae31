#pragma once

// The centre column between the views: divider tiles and the emblem of the
// kind of game.
void draw_centre_column();

// Both rockets' ammunition and health bars and the score.
void draw_status_panel();
