#pragma once

// The options' volume panel: music and sound-effect rows, Left/Right move
// the selected one by 4 (0..255), Up/Down switch rows, the effects row plays
// the hit sound as a preview; Escape, Enter or Space close it.
void run_volume_panel();
