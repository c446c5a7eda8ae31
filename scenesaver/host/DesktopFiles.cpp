#include "host/DesktopFiles.h"

#include "imglib/ImgLib.h"
#include "platform/DesktopSettings.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"

#include <QPainter>
#include <QRegularExpression>
#include <QUrl>

#include <chrono>
#include <memory>

#include <strings.h>

namespace {
constexpr int kStyleCentred = 0;
constexpr int kStyleTiled = 1;
constexpr int kStyleStretched = 2;
// The settings services answer in a few milliseconds when they are there at
// all; a start must not wait long for one that hangs.
constexpr int kDesktopSettingsDeadlineMs = 500;

constexpr const char* MSG_WALLPAPER_MEMORY =
    "Memory allocation problem during making of actual wallpaper image";

std::optional<int> Number(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const int value = QString::fromStdString(*text).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The values as they are kept on the system this program came from.
WallpaperSetting FromSettings(const WallpaperSources& sources) {
    WallpaperSetting setting;
    if (!sources.desktopValue) {
        return setting;
    }
    const std::optional<std::string> path = sources.desktopValue("Wallpaper");
    const std::optional<std::string> style = sources.desktopValue("WallpaperStyle");
    if (!path || !style) {
        return setting;
    }
    setting.path = *path;
    if (Number(style) == 2) {
        setting.style = kStyleStretched;
    }
    if (Number(sources.desktopValue("TileWallpaper")) == 1) {
        setting.style = kStyleTiled;
    }
    return setting;
}

// gsettings prints strings quoted: 'file:///home/me/sky.jpg'.
std::string Unquote(std::string text) {
    if (text.size() >= 2 && (text.front() == '\'' || text.front() == '"') &&
        text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

int StyleFromOption(const std::string& option) {
    if (option == "wallpaper") {
        return kStyleTiled;
    }
    if (option == "centered") {
        return kStyleCentred;
    }
    return kStyleStretched; // scaled, stretched, zoom, spanned
}

WallpaperSetting FromDesktopSchema(const WallpaperSources& sources, const std::string& schema,
                                   const std::string& pathKey) {
    WallpaperSetting setting;
    const std::optional<std::string> value = sources.gsettings(schema, pathKey);
    if (!value) {
        return setting;
    }
    const std::string options = Unquote(sources.gsettings(schema, "picture-options").value_or(""));
    if (options == "none") {
        return setting;
    }
    std::string path = Unquote(*value);
    if (path.starts_with("file://")) {
        path = QUrl(QString::fromStdString(path)).toLocalFile().toStdString();
    }
    setting.path = path;
    setting.style = StyleFromOption(options);
    return setting;
}

// feh --bg-scale '/home/me/sky.jpg'
WallpaperSetting FromFehScript(const std::string& script) {
    static const QRegularExpression command(
        R"re(--bg-(center|tile|scale|fill|max)\s+(?:--\S+\s+)*(?:'([^']*)'|"([^"]*)"|(\S+)))re");
    WallpaperSetting setting;
    const QRegularExpressionMatch match = command.match(QString::fromStdString(script));
    if (!match.hasMatch()) {
        return setting;
    }
    for (int group = 2; group <= 4; ++group) {
        if (!match.captured(group).isEmpty()) {
            setting.path = match.captured(group).toStdString();
            break;
        }
    }
    const QString mode = match.captured(1);
    setting.style = mode == "center" ? kStyleCentred
                    : mode == "tile" ? kStyleTiled
                                     : kStyleStretched;
    return setting;
}

bool IsPictureExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return true;
    }
    const char* extension = path.c_str() + dot + 1;
    return strcasecmp(extension, "html") != 0 && strcasecmp(extension, "htm") != 0 &&
           strcasecmp(extension, "gif") != 0;
}

// The wallpaper picture as a screen-format image; null when it is no BMP or
// JPEG the picture library decodes.
QImage DecodeWallpaper(const std::string& path) {
    ImgStream* stream = img_open_read(path.c_str());
    if (stream == nullptr) {
        return {};
    }
    const int format = img_detect_format(stream);
    img_seek(stream, 0, SEEK_SET);
    int width = 0;
    int height = 0;
    ImgBuffer pixels;
    if (format == IMG_FMT_BMP) {
        pixels = img_read_bmp(stream, &width, &height, 24, nullptr);
    } else if (format == IMG_FMT_JPEG) {
        pixels = img_read_jpeg(stream, &width, &height, 24);
    }
    img_close_read(stream);
    if (!pixels) {
        return {};
    }
    return img_dib_to_ddb(pixels.get(), width, height);
}

void Compose(QImage& screen, const QImage& picture, int style) {
    QPainter painter(&screen);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (style) {
    case kStyleTiled:
        for (int y = 0; y < screen.height(); y += picture.height()) {
            for (int x = 0; x < screen.width(); x += picture.width()) {
                painter.drawImage(x, y, picture);
            }
        }
        break;
    case kStyleStretched:
        painter.drawImage(screen.rect(), picture);
        break;
    default:
        painter.drawImage((screen.width() - picture.width()) / 2,
                          (screen.height() - picture.height()) / 2, picture);
        break;
    }
}

// Writes the image through the picture library, as BMP or as JPEG.
bool WriteImage(const std::string& path, const QImage& image, bool asJpeg) {
    ImgBuffer pixels = img_dc_to_dib(&image, 0, 0, image.width(), image.height());
    if (!pixels) {
        return false;
    }
    ImgStream* stream = img_open_write(path.c_str());
    if (stream == nullptr) {
        return false;
    }
    const std::int64_t written = asJpeg ? img_write_jpeg(stream, pixels.get(), image.width(),
                                                         image.height(), 100, 1, 24, nullptr)
                                        : img_write_bmp(stream, pixels.get(), image.width(),
                                                        image.height(), 24, 0, nullptr, 0);
    return img_close_write(stream) > 0 && written > 0;
}

} // namespace

WallpaperSources SystemWallpaperSources() {
    // Read at once and only once for every key the lookup may ask for.
    auto desktop = std::make_shared<const CDesktopSettings>(CDesktopSettings::Read(
        {"org.gnome.desktop.background", "org.cinnamon.desktop.background", "org.mate.background"},
        std::chrono::milliseconds(kDesktopSettingsDeadlineMs)));
    WallpaperSources sources;
    sources.desktopValue = [](const std::string& name) {
        return CRegKey("Control Panel\\Desktop").QueryString(name);
    };
    sources.backgroundColor = [] {
        return CRegKey("Control Panel\\Colors").QueryString("Background");
    };
    sources.gsettings = [desktop](const std::string& schema, const std::string& key) {
        return desktop->Value(schema, key);
    };
    sources.fehbg = [] { return ReadHomeFile(".fehbg"); };
    return sources;
}

WallpaperSetting FindWallpaper(const WallpaperSources& sources) {
    if (WallpaperSetting setting = FromSettings(sources); !setting.path.empty()) {
        return setting;
    }
    if (sources.gsettings) {
        const std::pair<const char*, const char*> schemas[] = {
            {"org.gnome.desktop.background", "picture-uri"},
            {"org.cinnamon.desktop.background", "picture-uri"},
            {"org.mate.background", "picture-filename"},
        };
        for (const auto& [schema, key] : schemas) {
            if (WallpaperSetting setting = FromDesktopSchema(sources, schema, key);
                !setting.path.empty()) {
                return setting;
            }
        }
    }
    if (sources.fehbg) {
        if (const std::optional<std::string> script = sources.fehbg()) {
            return FromFehScript(*script);
        }
    }
    return {};
}

QRgb FindDesktopColor(const WallpaperSources& sources) {
    const std::optional<std::string> windows =
        sources.backgroundColor ? sources.backgroundColor() : std::nullopt;
    if (windows) {
        const QStringList parts = QString::fromStdString(*windows).split(' ', Qt::SkipEmptyParts);
        if (parts.size() == 3) {
            return qRgb(parts[0].toInt() & 255, parts[1].toInt() & 255, parts[2].toInt() & 255);
        }
    }
    if (sources.gsettings) {
        if (const auto color = sources.gsettings("org.gnome.desktop.background", "primary-color")) {
            const QColor parsed(QString::fromStdString(Unquote(*color)));
            if (parsed.isValid()) {
                return parsed.rgb();
            }
        }
    }
    return qRgb(0, 0, 0);
}

bool WriteWallpaperFile(const std::string& path, const WallpaperSetting& wallpaper, QSize screen,
                        QRgb desktopColor) {
    if (screen.isEmpty()) {
        return false; // no screen to make a wallpaper for
    }
    QImage picture;
    if (!wallpaper.path.empty() && IsPictureExtension(wallpaper.path)) {
        picture = DecodeWallpaper(wallpaper.path);
    }
    QImage composed(screen, QImage::Format_RGB32);
    if (composed.isNull()) {
        AfxMessageBox(MSG_WALLPAPER_MEMORY);
        return false;
    }
    composed.fill(desktopColor);
    if (picture.isNull()) {
        return WriteImage(path, composed, true);
    }
    Compose(composed, picture, wallpaper.style);
    return WriteImage(path, composed, false);
}

bool WriteScreenFile(const std::string& path, const QImage& screen) {
    return !screen.isNull() && WriteImage(path, screen, false);
}

bool WriteDesktopSnapshot(const std::string& path) {
    QImage shot = GrabPrimaryScreen();
    if (shot.isNull()) {
        // Some platforms cannot be read back; the desktop then shows black.
        shot = QImage(PrimaryScreenPixelSize(), QImage::Format_RGB32);
        shot.fill(Qt::black);
    }
    return WriteScreenFile(path, shot);
}

bool WriteWallpaperImage(const std::string& path, int& style) {
    const WallpaperSources sources = SystemWallpaperSources();
    const WallpaperSetting wallpaper = FindWallpaper(sources);
    style = wallpaper.style;
    return WriteWallpaperFile(path, wallpaper, PrimaryScreenPixelSize(), FindDesktopColor(sources));
}
