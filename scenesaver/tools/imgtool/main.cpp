// imgtool: the picture library from the command line, for people and for
// checking it against other decoders.
//   imgtool info FILE         format id, width and height
//   imgtool convert IN OUT    decode IN as the program does, write OUT as
//                             24-bit BMP (.bmp) or progressive JPEG (.jpg)

#include "imglib/ImgLib.h"
#include "platform/StandardOptions.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {
const char* const kUsage =
    "usage: imgtool info FILE\n"
    "       imgtool convert IN OUT\n"
    "\n"
    "  info     print the format id (0 unknown, 1 BMP, 3 JPEG, ...), width and\n"
    "           height of the picture FILE\n"
    "  convert  decode IN as SceneSaver does and write OUT as a 24-bit BMP (.bmp)\n"
    "           or a progressive JPEG (.jpg, .jpeg)\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

struct Picture {
    int format = IMG_FMT_UNKNOWN;
    int width = 0;
    int height = 0;
    ImgBuffer pixels;
    int code = IMG_ERR_NONE;
};

// Detection, then the BMP or JPEG decoder at 24 bits, as picture loading does.
Picture Load(const char* path) {
    Picture picture;
    ImgStream* stream = img_open_read(path);
    if (stream == nullptr) {
        picture.code = img_last_error();
        return picture;
    }
    picture.format = img_detect_format(stream);
    img_seek(stream, 0, SEEK_SET);
    if (picture.format == IMG_FMT_BMP) {
        picture.pixels = img_read_bmp(stream, &picture.width, &picture.height, 24, nullptr);
    } else if (picture.format == IMG_FMT_JPEG) {
        picture.pixels = img_read_jpeg(stream, &picture.width, &picture.height, 24);
    }
    picture.code = img_last_error();
    img_close_read(stream);
    return picture;
}

bool EndsWith(const std::string& text, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

int Fail(int code) {
    std::printf("%s\n", ImgErrorName(code));
    return 1;
}

int Info(const char* path) {
    const Picture picture = Load(path);
    const bool decodable = picture.format == IMG_FMT_BMP || picture.format == IMG_FMT_JPEG;
    if ((decodable && !picture.pixels) || (!decodable && picture.code != IMG_ERR_NONE)) {
        return Fail(picture.code);
    }
    std::printf("%d %d %d\n", picture.format, picture.width, picture.height);
    return 0;
}

int Convert(const char* in, const std::string& out) {
    const bool toBmp = EndsWith(out, ".bmp");
    const bool toJpeg = EndsWith(out, ".jpg") || EndsWith(out, ".jpeg");
    if (!toBmp && !toJpeg) {
        std::fprintf(stderr, "imgtool: the output name must end in .bmp or .jpg\n");
        return 2;
    }
    const Picture picture = Load(in);
    if (!picture.pixels) {
        if (picture.code == IMG_ERR_NONE) {
            std::fprintf(stderr, "imgtool: format %d is not decoded\n", picture.format);
            return 1;
        }
        return Fail(picture.code);
    }
    ImgStream* stream = img_open_write(out.c_str());
    if (stream == nullptr) {
        return Fail(img_last_error());
    }
    const std::int64_t written = toBmp ? img_write_bmp(stream, picture.pixels.get(), picture.width,
                                                       picture.height, 24, 0, nullptr, 0)
                                       : img_write_jpeg(stream, picture.pixels.get(), picture.width,
                                                        picture.height, 100, 1, 24, nullptr);
    const int code = img_last_error();
    img_close_write(stream);
    return written > 0 ? 0 : Fail(code);
}
} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto answered = AnswerStandardOptions(args, "imgtool", kUsage)) {
        return *answered;
    }
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-') {
            return RejectOption("imgtool", arg);
        }
    }
    if (argc == 3 && std::strcmp(argv[1], "info") == 0) {
        return Info(argv[2]);
    }
    if (argc == 4 && std::strcmp(argv[1], "convert") == 0) {
        return Convert(argv[2], argv[3]);
    }
    std::fputs(kUsage, stderr);
    return kUsageErrorStatus;
}
