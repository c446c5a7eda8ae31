#include "scene/TextPictureRenderer.h"

#include <atomic>

namespace {
std::atomic<TextPictureRenderer> installed{nullptr};
}

TextPictureRenderer SetTextPictureRenderer(TextPictureRenderer renderer) {
    return installed.exchange(renderer);
}

TextPictureRenderer GetTextPictureRenderer() {
    return installed.load();
}
