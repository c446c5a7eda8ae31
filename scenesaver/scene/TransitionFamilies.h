#pragma once

class CTransition;

// Where the picture comes from as it enters, or where the old content goes.
enum class Heading { Down, Up, Left, Right };

// The picture slides in from one edge over what is there (21 to 24).
void SlideIn(CTransition& t, Heading heading);
// The picture slides in and pushes the old content out before it (41 to 44).
void PushIn(CTransition& t, Heading heading);
// The old content slides out and uncovers the picture in place (29 to 32).
void Uncover(CTransition& t, Heading heading);
// The picture is drawn in place one row or column at a time (37 to 40).
void Wipe(CTransition& t, Heading heading);
// Row or column m of every 16-pixel band, pass by pass (11, 12).
void Blinds(CTransition& t, bool rows);

// Every row or column once, in random order (13, 14).
void RandomLines(CTransition& t, bool rows);
// Square cells in random order; only the 8-pixel cells wait after each (5, 6).
void Dissolve(CTransition& t, int cell);
// Lines from both edges toward the middle (49, 51).
void CloseIn(CTransition& t, bool rows);
// Lines from the middle toward both edges (50, 52).
void OpenOut(CTransition& t, bool rows);
// 8-pixel strips wiped in turn, alternately forward and back (67 to 70);
// strips counted from the far edge start just beyond it.
void AlternatingStrips(CTransition& t, bool columns, bool fromFarEdge);
// 8-pixel strips in which the picture pushes the old content out,
// alternately one way and the other (71 to 74).
void AlternatingPushes(CTransition& t, bool columns, bool fromFarEdge);
// Frames from the edges inward (7) or from the middle outward (8).
void FramesInward(CTransition& t);
void FramesOutward(CTransition& t);
// The two halves of the picture slide in from opposite edges (53, 55).
void HalvesMeet(CTransition& t, bool rows);
// The old content splits in the middle and its halves move apart (54, 56).
void Split(CTransition& t, bool rows);
// 8-row strips grow in from one side, each one 8 steps behind the one
// before (57 to 60).
void Staircase(CTransition& t, bool fromRight, bool topFirst);
// 8-pixel edges laid round and round toward the middle (75, 76).
void Spiral(CTransition& t, bool clockwise);
// 8-pixel strips slide in from both sides in turn (15, 16).
void InterlacedSlide(CTransition& t, bool rows);
// 16-pixel cells drawn a pixel column or row at a time: alternate cells in
// two phases, or every cell with its lines woven in two phases (17 to 20).
void Checkerboard(CTransition& t, bool columns, bool woven);
// Two triangles grow from opposite corners (61, 63).
void Triangles(CTransition& t, bool bottomLeftFirst);
// A band along a diagonal widens until it covers the picture (62, 64).
void DiagonalBand(CTransition& t, bool fromTopLeft);
// Slides and pushes along a diagonal, from the corner named (25 to 28,
// 33 to 36, 45 to 48).
enum class Corner { TopRight, BottomRight, TopLeft, BottomLeft };
void DiagonalSlide(CTransition& t, Corner from);
void DiagonalUncover(CTransition& t, Corner toward);
void DiagonalPush(CTransition& t, Corner from);
// The quarters of the picture slide in from the corners (9); the quarters of
// the old content slide out to them (10).
void CornersInward(CTransition& t);
void CornersOutward(CTransition& t);
// The picture brightens from black (4) or darkens to black (65), level by
// level on a clock, skipping levels when late.
void Fade(CTransition& t, bool in);
// Every colour value of the screen steps by 1 toward the picture's, frame by
// frame, until they are equal (66).
void ColourMorph(CTransition& t);
