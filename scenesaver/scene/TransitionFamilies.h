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
