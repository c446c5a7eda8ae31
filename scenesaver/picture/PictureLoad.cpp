#include "imglib/ImgLib.h"
#include "picture/PictureMessages.h"
#include "platform/MessageBox.h"
#include "scene/PictureItem.h"

#include <QByteArray>
#include <QImageReader>
#include <QString>

#include <cstdio>

namespace {
// The size the system gives icons and cursors drawn at their default size.
constexpr int kSystemIconSize = 32;

// True when the file starts with "BM" and holds at least 14 bytes: a bitmap
// too short to be detected, which is refused without a word.
bool IsShortBitmapFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    unsigned char head[14];
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return got == sizeof head && head[0] == 'B' && head[1] == 'M';
}

ImgBuffer Decode(ImgStream* stream, int format, int& width, int& height) {
    if (format == IMG_FMT_JPEG) {
        return img_read_jpeg(stream, &width, &height, 24);
    }
    return img_read_bmp(stream, &width, &height, 24, nullptr);
}
} // namespace

int CPictureItem::LoadPictureFile(const std::string& path) {
    ImgStream* stream = img_open_read(path.c_str());
    if (stream == nullptr) {
        AfxMessageBox(FormatPictureMessage(MSG_PICTURE_OPEN_FAILED, img_last_error()));
        return 0;
    }
    const int format = img_detect_format(stream);
    img_seek(stream, 0, SEEK_SET);
    if (format != IMG_FMT_JPEG && format != IMG_FMT_BMP) {
        img_close_read(stream);
        if (IsShortBitmapFile(path)) {
            return 0;
        }
        return LoadIconPicture(path);
    }
    int width = 0;
    int height = 0;
    // A buffer that comes back with an error code still holds the rows that
    // were decoded; it is shown as it is.
    ImgBuffer pixels = Decode(stream, format, width, height);
    const int decodeError = img_last_error();
    img_close_read(stream);
    if (!pixels) {
        AfxMessageBox(FormatPictureMessage(MSG_PICTURE_FORMAT_FAILED, path, decodeError));
        return 0;
    }
    m_bitmap.DeleteObject();
    QImage image = img_dib_to_ddb(pixels.get(), width, height);
    if (image.isNull()) {
        AfxMessageBox(MSG_PICTURE_CONVERSION_FAILED);
        return 0;
    }
    m_bitmap.image = std::move(image);
    m_bitmap.dimension = QSize(width, height);
    m_icon = QImage();
    return 1;
}

int CPictureItem::LoadIconPicture(const std::string& path) {
    QImage icon;
    for (const char* format : {"ico", "cur"}) {
        QImageReader reader(QString::fromLocal8Bit(path.c_str()), QByteArray(format));
        reader.setAutoDetectImageFormat(false);
        if (reader.read(&icon) && !icon.isNull()) {
            break;
        }
        icon = QImage();
    }
    if (icon.isNull()) {
        return 0;
    }
    m_bitmap.DeleteObject();
    // The bitmap only carries the size; the icon itself is what is drawn.
    m_bitmap.image = QImage(kSystemIconSize, kSystemIconSize, QImage::Format_RGB32);
    m_bitmap.image.fill(Qt::black);
    m_bitmap.dimension = QSize(kSystemIconSize, kSystemIconSize);
    m_icon = std::move(icon);
    return 1;
}
