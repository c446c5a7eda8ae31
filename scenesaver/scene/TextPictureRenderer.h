#pragma once

class CPictureItem;

// Renders a text picture into its bitmap at load time; false when no bitmap
// could be made. The text picture code installs it. Without one, text pictures
// load with no bitmap and show nothing.
using TextPictureRenderer = bool (*)(CPictureItem& picture);

// Installs the renderer and returns the previous one.
TextPictureRenderer SetTextPictureRenderer(TextPictureRenderer renderer);
TextPictureRenderer GetTextPictureRenderer();
