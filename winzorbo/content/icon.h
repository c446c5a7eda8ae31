#pragma once

#include <string>
#include <vector>

// The program's icon: a rocket climbing through space on a round night sky.
// One drawing in a 256-unit square, written as SVG and rasterised into PNGs
// of the sizes the hicolor theme has, so that every size shows the same
// picture.

inline const std::vector<int> icon_sizes = {16, 24, 32, 48, 64, 128, 256};

// The SVG text of the drawing.
std::string icon_svg();

// The drawing at size x size pixels: RGBA bytes, not premultiplied, row by
// row from the top.
std::vector<unsigned char> icon_pixels(int size);

// Writes the icon theme's tree under FOLDER: hicolor/<size>x<size>/apps/
// NAME.png for every size in icon_sizes and hicolor/scalable/apps/NAME.svg,
// after removing an older FOLDER/hicolor; false with the reason when a file
// cannot be written.
bool write_icons(const std::string& folder, const std::string& name, std::string& problem);
