#pragma once

class CPictureItem;

// Renders a text picture into its bitmap at load time; false when no bitmap
// could be made. The picture's own rendering is installed from the start;
// tests may put another in its place.
using TextPictureRenderer = bool (*)(CPictureItem& picture);

// Installs the renderer and returns the previous one.
TextPictureRenderer SetTextPictureRenderer(TextPictureRenderer renderer);
TextPictureRenderer GetTextPictureRenderer();
