#include "scene/TextPictureRenderer.h"

#include "scene/PictureItem.h"

#include <atomic>

namespace {
bool RenderOwnText(CPictureItem& picture) {
    return picture.Render({});
}

std::atomic<TextPictureRenderer> installed{RenderOwnText};
} // namespace

TextPictureRenderer SetTextPictureRenderer(TextPictureRenderer renderer) {
    return installed.exchange(renderer);
}

TextPictureRenderer GetTextPictureRenderer() {
    return installed.load();
}
