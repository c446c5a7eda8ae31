#pragma once

#include <string>

// The remark on totals t0:t1 in the current language, chosen with the
// game's rand() where several fit.
std::string results_remark(int t0, int t1);

// The figures of the two players between the boxes, one step every 330 ms:
// cheering while their player won or drew, sulking after a loss.
struct ResultFigures {
    int winner = 0; // 0 draw, 1 or 2
    int a = 0;
    int b = 0;
    int left_frame = 0; // objects drawn this step
    int right_frame = 0;
    void step();
};

// After a sequence of matches: who won, both totals, and whether to play
// again under label (the text of the menu item that started it). Returns 1
// to play again, 0 to go back to the menu (also when the window closes).
int show_results(int t0, int t1, const std::string& label);
