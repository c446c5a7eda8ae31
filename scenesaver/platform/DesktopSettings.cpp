#include "platform/DesktopSettings.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include <memory>

CDesktopSettings CDesktopSettings::Read(const std::vector<std::string>& schemas,
                                        std::chrono::milliseconds deadline) {
    CDesktopSettings settings;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty()) {
        return settings;
    }
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const std::string& schema : schemas) {
        auto& run = runs.emplace_back(std::make_unique<QProcess>());
        run->start(program, {QStringLiteral("list-recursively"), QString::fromStdString(schema)});
    }
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (auto& run : runs) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (!run->waitForFinished(static_cast<int>(std::max<std::int64_t>(left.count(), 1)))) {
            run->kill();
            run->waitForFinished(100);
            continue;
        }
        if (run->exitStatus() != QProcess::NormalExit || run->exitCode() != 0) {
            continue;
        }
        // One "schema key value" line per key.
        const QStringList lines =
            QString::fromLocal8Bit(run->readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            const qsizetype first = line.indexOf(QLatin1Char(' '));
            const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char(' '), first + 1);
            if (second > first + 1) {
                settings.values[line.left(second).toStdString()] =
                    line.mid(second + 1).trimmed().toStdString();
            }
        }
    }
    return settings;
}

std::optional<std::string> CDesktopSettings::Value(const std::string& schema,
                                                   const std::string& key) const {
    const auto found = values.find(schema + " " + key);
    return found == values.end() ? std::nullopt : std::optional(found->second);
}

std::optional<std::string> ReadHomeFile(const std::string& name) {
    QFile file(QDir::homePath() + QLatin1Char('/') + QString::fromStdString(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

QImage GrabPrimaryScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? QImage() : screen->grabWindow(0).toImage();
}

QSize PrimaryScreenPixelSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return screen->size() * screen->devicePixelRatio();
}
