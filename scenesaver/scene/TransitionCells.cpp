#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

constexpr int CELL = 16;

// The cell grid; an even number of columns gets one more column and row, so
// that neighbouring cells of one column differ in parity.
struct Cells {
    int columns;
    int rows;
    Cells(int w, int h) : columns((w + CELL - 1) / CELL), rows((h + CELL - 1) / CELL) {
        if (columns % 2 == 0) {
            ++columns;
            ++rows;
        }
    }
};

// Pixel column or row m of the cell at (column c, row r), when it lies in the
// picture; false otherwise.
bool CellLine(CTransition& t, bool columns, int c, int r, int m) {
    const int x = CELL * c;
    const int y = CELL * r;
    if (columns) {
        if (x + m >= t.w || y >= t.h) {
            return false;
        }
        t.Copy(x + m, y, 1, CELL, CopySource::Picture, x + m, y);
    } else {
        if (y + m >= t.h || x >= t.w) {
            return false;
        }
        t.Copy(x, y + m, CELL, 1, CopySource::Picture, x, y + m);
    }
    return true;
}

} // namespace

void Checkerboard(CTransition& t, bool columns, bool woven) {
    const Cells cells(t.w, t.h);
    const int count = cells.columns * cells.rows;
    for (int phase = 0; phase < 2; ++phase) {
        // Woven cells take every other line in each of 8 rounds; the plain
        // board takes every line of half the cells.
        const int rounds = woven ? CELL / 2 : CELL;
        for (int i = 0; i < rounds; ++i) {
            for (int k = 0; k < count; ++k) {
                const int c = k % cells.columns;
                const int r = k / cells.columns;
                int m = i;
                if (woven) {
                    const int parity = columns ? r : r + c;
                    m = 2 * i + (parity + phase) % 2;
                } else if (k % 2 != phase) {
                    continue;
                }
                if (CellLine(t, columns, c, r, m)) {
                    t.StepWait();
                }
            }
        }
    }
}

void InterlacedSlide(CTransition& t, bool rows) {
    constexpr int STRIP = 8;
    const int across = rows ? t.h : t.w;
    const int along = rows ? t.w : t.h;
    for (int n = 1; n <= along; ++n) {
        for (int s = 0; STRIP * s < across; ++s) {
            const int e = STRIP * s;
            const bool nearSide = s % 2 == 0;
            const int at = nearSide ? 0 : along - n;
            const int from = nearSide ? along - n : 0;
            if (rows) {
                t.Copy(at, e, n, STRIP, CopySource::Picture, from, e);
            } else {
                t.Copy(e, at, STRIP, n, CopySource::Picture, e, from);
            }
        }
        t.StepWait();
    }
}
