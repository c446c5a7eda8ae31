#pragma once

#include <QFont>

struct LOGFONTA;

// The font a stored font description asks for. The classic faces scenes were
// made with map to installed fonts with the same metrics; drawing is without
// antialiasing so that every pixel is either ink or background.
QFont FontFromLogFont(const LOGFONTA& font);

// The installed family that stands for a classic face; the face itself when
// none is known.
QString MappedFamily(const LOGFONTA& font);
