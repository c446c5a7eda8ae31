#include "picture/PictureLoad.h"

#include "imglib/ImgLib.h"
#include "picture/PictureMessages.h"
#include "platform/MessageBox.h"

#include <QByteArray>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

// An icon file holds the same picture at several sizes. The one drawn is the
// one nearest the system's icon size, brought to that size, as the system
// draws icons at their default size.
QImage ReadIconAtSystemSize(const QString& path, const QByteArray& format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    QImage best;
    int bestDistance = 0;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        QImage image;
        if (!reader.read(&image) || image.isNull()) {
            continue;
        }
        const int distance =
            std::abs(image.width() - kSystemIconSize) + std::abs(image.height() - kSystemIconSize);
        if (best.isNull() || distance < bestDistance) {
            best = std::move(image);
            bestDistance = distance;
        }
    }
    if (best.isNull() || best.size() == QSize(kSystemIconSize, kSystemIconSize)) {
        return best;
    }
    return best.scaled(kSystemIconSize, kSystemIconSize, Qt::IgnoreAspectRatio,
                       Qt::FastTransformation);
}

ImgBuffer Decode(ImgStream* stream, int format, int& width, int& height) {
    if (format == IMG_FMT_JPEG) {
        return img_read_jpeg(stream, &width, &height, 24);
    }
    return img_read_bmp(stream, &width, &height, 24, nullptr);
}
} // namespace

int LoadPictureFile(const std::string& path, CBitmap& bitmap, QImage& icon) {
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
        return LoadIconPicture(path, bitmap, icon);
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
    bitmap.DeleteObject();
    QImage image = img_dib_to_ddb(pixels.get(), width, height);
    if (image.isNull()) {
        AfxMessageBox(MSG_PICTURE_CONVERSION_FAILED);
        return 0;
    }
    bitmap.image = std::move(image);
    bitmap.dimension = QSize(width, height);
    icon = QImage();
    return 1;
}

int LoadIconPicture(const std::string& path, CBitmap& bitmap, QImage& icon) {
    QImage read;
    for (const char* format : {"ico", "cur"}) {
        read = ReadIconAtSystemSize(QString::fromLocal8Bit(path.c_str()), QByteArray(format));
        if (!read.isNull()) {
            break;
        }
    }
    if (read.isNull()) {
        return 0;
    }
    bitmap.DeleteObject();
    // The bitmap only carries the size; the icon itself is what is drawn.
    bitmap.image = QImage(kSystemIconSize, kSystemIconSize, QImage::Format_RGB32);
    bitmap.image.fill(Qt::black);
    bitmap.dimension = QSize(kSystemIconSize, kSystemIconSize);
    icon = std::move(read);
    return 1;
}
