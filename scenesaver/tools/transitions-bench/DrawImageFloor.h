#pragma once

#include "EffectRunner.h"

#include <QImage>

// The least an effect's drawing can cost on this machine: the same copies
// made with plain QPainter::drawImage calls onto a screen-sized image,
// including the work bitmap and the old content the effect prepares.
// Milliseconds.
double DrawImageFloor(const EffectDrawing& drawing, const QImage& picture,
                      const QImage& oldContent);
