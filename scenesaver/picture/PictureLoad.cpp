#include "picture/PictureLoad.h"

#include "imglib/ImgLib.h"
#include "imglib/Stream.h"
#include "picture/PictureMessages.h"
#include "platform/MessageBox.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {
// The size the system gives icons and cursors drawn at their default size.
constexpr int kSystemIconSize = 32;

// True when the first 14 bytes were there and start with "BM": a bitmap too
// short to be detected, which is refused without a word.
bool IsShortBitmapHead(const unsigned char* head, std::size_t got) {
    return got >= 14 && head[0] == 'B' && head[1] == 'M';
}

bool IsShortBitmapFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    unsigned char head[14];
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return IsShortBitmapHead(head, got);
}

// An icon file holds the same picture at several sizes. The one drawn is the
// one nearest the system's icon size, brought to that size, as the system
// draws icons at their default size.
QImage ReadIconAtSystemSize(QIODevice* device, const QByteArray& format) {
    QImageReader reader(device, format);
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

int Check(ImgStream* stream, int format, int& width, int& height) {
    if (format == IMG_FMT_JPEG) {
        return img_check_jpeg(stream, &width, &height, 24);
    }
    return img_check_bmp(stream, &width, &height);
}

// A picture stream and its format, with the stream back at its start:
// detection reads the first 44 bytes and the decoders start at the
// beginning. A stream that could not be opened shows the open message.
struct OpenedPicture {
    ImgStream* stream = nullptr;
    int format = IMG_FMT_UNKNOWN;

    bool IsDecoded() const { return format == IMG_FMT_JPEG || format == IMG_FMT_BMP; }
};

OpenedPicture Open(ImgStream* stream) {
    if (stream == nullptr) {
        AfxMessageBox(FormatPictureMessage(MSG_PICTURE_OPEN_FAILED, img_last_error()));
        return {};
    }
    const int format = img_detect_format(stream);
    img_seek(stream, 0, SEEK_SET);
    return {stream, format};
}

// Decodes a BMP or JPEG from the stream into the bitmap, or with rows false
// only checks it and takes its size; closes the stream.
int LoadFromStream(ImgStream* stream, int format, const std::string& name, bool rows,
                   CBitmap& bitmap, QImage& icon) {
    int width = 0;
    int height = 0;
    // A buffer that comes back with an error code still holds the rows that
    // were decoded; it is shown as it is.
    ImgBuffer pixels;
    const int checked = rows ? 0 : Check(stream, format, width, height);
    if (rows) {
        pixels = Decode(stream, format, width, height);
    }
    const int decodeError = img_last_error();
    img_close_read(stream);
    if (!pixels && checked == 0) {
        AfxMessageBox(FormatPictureMessage(MSG_PICTURE_FORMAT_FAILED, name, decodeError));
        return 0;
    }
    bitmap.DeleteObject();
    if (rows) {
        QImage image = img_dib_to_ddb(pixels.get(), width, height);
        if (image.isNull()) {
            AfxMessageBox(MSG_PICTURE_CONVERSION_FAILED);
            return 0;
        }
        bitmap.image = std::move(image);
    }
    bitmap.dimension = QSize(width, height);
    icon = QImage();
    return 1;
}

// The icon nearest the system's size, as an icon or else as a cursor.
QImage ReadIcon(const std::function<QImage(const QByteArray& format)>& read) {
    for (const char* format : {"ico", "cur"}) {
        QImage image = read(QByteArray(format));
        if (!image.isNull()) {
            return image;
        }
    }
    return {};
}

int TakeIcon(QImage read, CBitmap& bitmap, QImage& icon) {
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

ImgStream* OpenBytes(const PictureBytes& picture) {
    return img_open_raised_memory(picture.bytes.data(), picture.bytes.size(), picture.raise);
}
} // namespace

int LoadPictureFile(const std::string& path, CBitmap& bitmap, QImage& icon) {
    const OpenedPicture opened = Open(img_open_read(path.c_str()));
    if (opened.stream == nullptr) {
        return 0;
    }
    if (opened.IsDecoded()) {
        return LoadFromStream(opened.stream, opened.format, path, true, bitmap, icon);
    }
    img_close_read(opened.stream);
    if (IsShortBitmapFile(path)) {
        return 0;
    }
    return LoadIconPicture(path, bitmap, icon);
}

int LoadIconPicture(const std::string& path, CBitmap& bitmap, QImage& icon) {
    return TakeIcon(ReadIcon([&](const QByteArray& format) {
                        QFile file(QString::fromLocal8Bit(path.c_str()));
                        if (!file.open(QIODevice::ReadOnly)) {
                            return QImage();
                        }
                        return ReadIconAtSystemSize(&file, format);
                    }),
                    bitmap, icon);
}

int CheckPictureBytes(const PictureBytes& picture, CBitmap& bitmap, QImage& icon) {
    const OpenedPicture opened = Open(OpenBytes(picture));
    if (opened.stream == nullptr) {
        return 0;
    }
    if (opened.IsDecoded()) {
        return LoadFromStream(opened.stream, opened.format, picture.name, false, bitmap, icon);
    }
    // Icons and cursors are read by a reader of plain bytes; they are small.
    QByteArray plain(static_cast<qsizetype>(picture.bytes.size()), '\0');
    const std::size_t got = ImgStreamRead(opened.stream, plain.data(), picture.bytes.size());
    img_close_read(opened.stream);
    if (IsShortBitmapHead(reinterpret_cast<const unsigned char*>(plain.constData()), got)) {
        return 0;
    }
    return TakeIcon(ReadIcon([&](const QByteArray& format) {
                        QBuffer buffer(&plain);
                        buffer.open(QIODevice::ReadOnly);
                        return ReadIconAtSystemSize(&buffer, format);
                    }),
                    bitmap, icon);
}

int DecodePictureBytes(const PictureBytes& picture, CBitmap& bitmap) {
    const OpenedPicture opened = Open(OpenBytes(picture));
    if (opened.stream != nullptr && !opened.IsDecoded()) {
        img_close_read(opened.stream);
    }
    CBitmap decoded;
    QImage icon;
    if (!opened.IsDecoded() ||
        LoadFromStream(opened.stream, opened.format, picture.name, true, decoded, icon) == 0) {
        return 0;
    }
    bitmap = std::move(decoded);
    return 1;
}
