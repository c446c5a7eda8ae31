#include "imglib/ImgTypes.h"

const char* ImgErrorName(int code) {
    switch (code) {
    case IMG_ERR_NONE:
        return "IMG_ERR_NONE";
    case IMG_ERR_NOMEM:
        return "IMG_ERR_NOMEM";
    case IMG_ERR_OPEN:
        return "IMG_ERR_OPEN";
    case IMG_ERR_READ:
        return "IMG_ERR_READ";
    case IMG_ERR_WRITE:
        return "IMG_ERR_WRITE";
    case IMG_ERR_ARG:
        return "IMG_ERR_ARG";
    case IMG_ERR_BADBMP:
        return "IMG_ERR_BADBMP";
    case IMG_ERR_JPEGHDR:
        return "IMG_ERR_JPEGHDR";
    case IMG_ERR_DC:
        return "IMG_ERR_DC";
    case IMG_ERR_BITMAP:
        return "IMG_ERR_BITMAP";
    case IMG_ERR_ROWS:
        return "IMG_ERR_ROWS";
    case IMG_ERR_DIBITS:
        return "IMG_ERR_DIBITS";
    case IMG_ERR_DEVCAPS:
        return "IMG_ERR_DEVCAPS";
    case IMG_ERR_DEPTH:
        return "IMG_ERR_DEPTH";
    case IMG_ERR_BLT:
        return "IMG_ERR_BLT";
    case IMG_ERR_DDB:
        return "IMG_ERR_DDB";
    case IMG_ERR_SELECT:
        return "IMG_ERR_SELECT";
    case IMG_ERR_HANDLE:
        return "IMG_ERR_HANDLE";
    case IMG_ERR_NOSTATE:
        return "IMG_ERR_NOSTATE";
    default:
        return "IMG_ERR_UNKNOWN";
    }
}

bool ImgBufferFits(std::int64_t width, std::int64_t height, int bytesPerPixel) {
    if (width <= 0 || height <= 0 || bytesPerPixel <= 0) {
        return false;
    }
    const auto pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    return pixels <= kImgMaxPixels &&
           pixels * static_cast<std::uint64_t>(bytesPerPixel) <= kImgMaxBufferBytes;
}

ImgBuffer ImgAllocBuffer(std::int64_t width, std::int64_t height, int bytesPerPixel) {
    if (!ImgBufferFits(width, height, bytesPerPixel)) {
        return nullptr;
    }
    const auto bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) *
                       static_cast<std::uint64_t>(bytesPerPixel);
    return ImgBuffer(static_cast<std::uint8_t*>(std::calloc(bytes, 1)));
}
