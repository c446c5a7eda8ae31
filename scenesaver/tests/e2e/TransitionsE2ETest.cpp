// The transitions demo on a real screen: one picture shown with every
// transition effect in turn at full speed. Each effect's end screen is
// photographed and must show the picture in place, pixel for pixel, on the
// screen colour of that effect alone. The screenshots stay in the build tree
// for a person to look at.

#include "SaverFixture.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const fs::path SCENE_FOLDER = SCENESAVER_SOURCE_DIR "/demo";
const fs::path MANIFEST = SCENE_FOLDER / "transitions.json";

// One show of the scene: its effect and the screen colour painted before it.
struct EffectScreen {
    int effect = 0;
    QRgb color = 0;
};

// What the test needs from the manifest, read from it so that the scene and
// the test cannot drift apart.
struct TransitionsScene {
    QImage picture;
    QPoint at;
    std::vector<EffectScreen> shows;
};

TransitionsScene ReadScene() {
    TransitionsScene scene;
    QFile file(QString::fromStdString(MANIFEST.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return scene;
    }
    const QJsonArray items = QJsonDocument::fromJson(file.readAll()).object()["items"].toArray();
    QRgb screen = 0;
    for (const QJsonValue& value : items) {
        const QJsonObject item = value.toObject();
        const QString kind = item["kind"].toString();
        if (kind == "picture") {
            const fs::path picture = SCENE_FOLDER / item["file"].toString().toStdString();
            scene.picture = QImage(QString::fromStdString(picture.string()))
                                .convertToFormat(QImage::Format_RGB32);
        } else if (kind == "background") {
            screen = QColor(item["color"].toObject()["color"].toString()).rgb();
        } else if (kind == "show") {
            const QJsonObject placement = item["placement"].toObject();
            const QJsonArray start = placement["start"].toArray();
            scene.at = QPoint(start[0].toInt(), start[1].toInt());
            scene.shows.push_back({placement["effect"].toInt(), screen});
        }
    }
    return scene;
}

QImage AsImage(const XClient::Screen& screen) {
    if (screen.pixels.empty()) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(screen.pixels.data()), screen.width, screen.height,
                  QImage::Format_RGB32)
        .copy();
}

std::string Hex(QRgb pixel) {
    std::ostringstream text;
    text << '#' << std::hex << std::setfill('0') << std::setw(6) << (pixel & 0xffffffU);
    return text.str();
}

// Where a screen differs from what it should be, counted and with the first
// difference, in words for a failure message.
struct Differences {
    long count = 0;
    std::string first;

    void Add(QPoint where, QRgb seen, QRgb expected, const char* place) {
        if (count++ == 0) {
            std::ostringstream text;
            text << place << " (" << where.x() << ", " << where.y() << ") is " << Hex(seen)
                 << " where " << Hex(expected) << " belongs";
            first = text.str();
        }
    }
};

struct Verdict {
    Differences picture; // inside the picture's rectangle
    Differences screen;  // everywhere else

    bool Right() const { return picture.count == 0 && screen.count == 0; }
    std::string Describe() const {
        std::ostringstream text;
        text << picture.count << " pixels of the picture wrong";
        if (picture.count > 0) {
            text << " (first: " << picture.first << ")";
        }
        text << ", " << screen.count << " pixels around it wrong";
        if (screen.count > 0) {
            text << " (first: " << screen.first << ")";
        }
        return text.str();
    }
};

// The picture (or, for the fade to black, a black block) at its place on a
// screen of one colour.
Verdict Judge(const QImage& shot, const TransitionsScene& scene, const EffectScreen& show) {
    const bool black = show.effect == 65;
    const QRect place(scene.at, scene.picture.size());
    Verdict verdict;
    for (int y = 0; y < shot.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x) {
            if (place.contains(x, y)) {
                const QPoint inside(x - place.x(), y - place.y());
                const QRgb expected = black ? qRgb(0, 0, 0) : scene.picture.pixel(inside);
                if (row[x] != expected) {
                    verdict.picture.Add(inside, row[x], expected, "picture pixel");
                }
            } else if (row[x] != show.color) {
                verdict.screen.Add({x, y}, row[x], show.color, "screen pixel");
            }
        }
    }
    return verdict;
}

// The show whose colour a screen has in two opposite corners, or -1.
int ShowOnScreen(const QImage& shot, const std::vector<EffectScreen>& shows) {
    const QRgb corner = shot.pixel(0, 0);
    if (shot.pixel(shot.width() - 1, shot.height() - 1) != corner) {
        return -1;
    }
    for (std::size_t index = 0; index < shows.size(); ++index) {
        if (shows[index].color == corner) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

std::string ShotFileName(int effect) {
    std::ostringstream text;
    text << "effect-" << std::setfill('0') << std::setw(2) << effect << ".png";
    return text.str();
}

} // namespace

class TransitionsEndToEnd : public SaverEndToEnd {};

TEST_F(TransitionsEndToEnd, EveryEffectEndsWithThePictureInPlace) {
    const TransitionsScene scene = ReadScene();
    ASSERT_FALSE(scene.picture.isNull()) << "the scene's picture cannot be read";
    // The scene is meant to show every effect once, in order.
    ASSERT_EQ(scene.shows.size(), 73U);
    for (std::size_t index = 0; index < scene.shows.size(); ++index) {
        ASSERT_EQ(scene.shows[index].effect, static_cast<int>(index) + 4);
        for (std::size_t other = 0; other < index; ++other) {
            ASSERT_NE(scene.shows[index].color, scene.shows[other].color)
                << "effects " << scene.shows[other].effect << " and " << scene.shows[index].effect
                << " share a screen colour";
        }
    }
    const fs::path shots = fs::path(SCENESAVER_BIN_DIR).parent_path() / "transition-shots";
    fs::remove_all(shots);
    fs::create_directories(shots);
    std::cout << "screenshots of every effect's end go to " << shots.string() << "\n";

    StoreCalibration();
    const std::string saver = MakeSaver("Transitions Saver", Signature::Valid, MANIFEST.string());
    Process process({saver, "/s"}, environment, (root / "saver.log").string());
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty()) << "no window appeared";
    XClient display(server.Display());
    ASSERT_TRUE(display.Connected());

    // Each show's screen is photographed until it is right or the scene has
    // gone on to a later show; the last photograph of a wrong one is kept.
    const auto started = std::chrono::steady_clock::now();
    std::size_t next = 0;
    while (next < scene.shows.size()) {
        const EffectScreen& show = scene.shows[next];
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        QImage last;
        QImage other; // the last screen of another show
        std::optional<Verdict> verdict;
        int seen = -1;
        std::size_t after = next + 1;
        while (std::chrono::steady_clock::now() < deadline) {
            const QImage shot = AsImage(display.GrabScreen());
            ASSERT_FALSE(shot.isNull()) << "the screen cannot be read";
            seen = ShowOnScreen(shot, scene.shows);
            if (seen == static_cast<int>(next)) {
                last = shot;
                verdict = Judge(shot, scene, show);
                if (verdict->Right()) {
                    break;
                }
            } else {
                other = shot;
                if (seen > static_cast<int>(next)) {
                    after = static_cast<std::size_t>(seen);
                    break;
                }
            }
            std::this_thread::sleep_for(20ms);
        }
        (last.isNull() ? other : last)
            .save(QString::fromStdString((shots / ShotFileName(show.effect)).string()));
        if (verdict && verdict->Right()) {
            ++next;
            continue;
        }
        if (!verdict) {
            ADD_FAILURE() << "effect " << show.effect << " was never seen: "
                          << (seen > static_cast<int>(next)
                                  ? "the screen showed effect " +
                                        std::to_string(scene.shows[after].effect) + " already"
                                  : "within 20 s the screen showed only " + Hex(other.pixel(0, 0)) +
                                        " at its corner")
                          << " (" << ShotFileName(show.effect) << ")";
        } else {
            ADD_FAILURE() << "effect " << show.effect << " did not end with the picture in place"
                          << (seen > static_cast<int>(next)
                                  ? " before effect " + std::to_string(scene.shows[after].effect) +
                                        " began"
                                  : " within 20 s")
                          << "; its last screen (" << ShotFileName(show.effect)
                          << ") had: " << verdict->Describe();
        }
        if (seen <= static_cast<int>(next)) {
            break; // the scene has stalled: waiting on for the others is pointless
        }
        next = after;
    }
    std::cout << "the effects were photographed in "
              << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                  started)
                     .count()
              << " s\n";
    EXPECT_EQ(MoveMouseUntilExit(process), 0);
}
