#pragma once

#include <array>
#include <functional>
#include <initializer_list>

struct BITMAP;
struct RGB;

// A colour for a point in sprite space (pixel centres at +0.5), 0 for none.
using Shader = std::function<int(double x, double y)>;

// An 8-bit memory bitmap of w x h drawn by sampling shade on a grid of
// samples x samples points per pixel: a pixel takes the colour most of its
// points agree on, and stays transparent unless at least half are covered.
// That keeps thin rotated shapes clean without blending colours that do not
// exist in the palette.
BITMAP* render_shape(int w, int h, const Shader& shade, int samples = 4);

// Surrounds every drawn pixel with colour where its four neighbours are
// transparent.
void outline_shape(BITMAP* bitmap, int colour);

// A smooth value v in 0..1 shown on a ramp of count palette entries from
// first, with 4x4 ordered dithering at (x, y).
int dither_ramp(int first, int count, double v, int x, int y);

// Value noise repeating every period pixels, 0..1, for seamless textures.
double periodic_noise(double x, double y, int period, int cell, unsigned seed);

// Sets palette entries first..first+count-1 to a gradient of the given
// colours (0..63 per component), evenly spread.
void palette_gradient(RGB* palette, int first, int count,
                      std::initializer_list<std::array<int, 3>> stops);
