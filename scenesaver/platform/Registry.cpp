#include "platform/Registry.h"

#include "platform/TextCodec.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {
constexpr std::string_view kVendorPrefix = "Software\\Quorvatronics\\";

std::string ToGroup(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

QString Key(const std::string& group, const std::string& name) {
    const std::string key = group.empty() ? name : group + "/" + name;
    return FromWindows1252(key);
}

// A key or section name of the INI file as QSettings spells it: %XX escapes,
// and a backslash where the path has a slash.
QString UnescapedIniName(QString name) {
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl::fromPercentEncoding(name.toUtf8());
}

// QSettings reads an unquoted value with commas as a list and drops the
// spaces around its parts, but a hand-edited path such as a wallpaper's may
// well hold commas: the value is then taken from the line as written.
QString RawIniValue(const std::string& file, const QString& key) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    QTextStream lines(&in);
    QString section;
    QString found;
    while (!lines.atEnd()) {
        const QString line = lines.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = UnescapedIniName(line.mid(1, line.size() - 2));
            if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
                section.clear();
            }
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        const QString name = UnescapedIniName(line.left(equals).trimmed());
        if ((section.isEmpty() ? name : section + QLatin1Char('/') + name) == key) {
            found = line.mid(equals + 1).trimmed(); // the last one wins, as in QSettings
        }
    }
    return found;
}
} // namespace

std::string RegistryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/Quorvatronics/";
}

CRegKey::CRegKey(std::string path) {
    if (path.starts_with(kVendorPrefix)) {
        std::string rest = path.substr(kVendorPrefix.size());
        const size_t separator = rest.find('\\');
        const std::string product = rest.substr(0, separator);
        file = RegistryFolder() + product + ".ini";
        group = separator == std::string::npos ? "" : ToGroup(rest.substr(separator + 1));
    } else {
        file = RegistryFolder() + "System.ini";
        group = ToGroup(std::move(path));
    }
}

std::optional<std::uint32_t> CRegKey::QueryDWORD(const std::string& name) const {
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    const QVariant value = settings.value(Key(group, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok, 0);
    if (!ok || number < -0x80000000LL || number > 0xFFFFFFFFLL) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(number);
}

std::optional<std::string> CRegKey::QueryString(const std::string& name) const {
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    const QVariant value = settings.value(Key(group, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QStringList) {
        return ToWindows1252(RawIniValue(file, Key(group, name)));
    }
    return ToWindows1252(value.toString());
}

bool CRegKey::SetDWORD(const std::string& name, std::uint32_t value) {
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    settings.setValue(Key(group, name), static_cast<qulonglong>(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CRegKey::SetString(const std::string& name, const std::string& value) {
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    settings.setValue(Key(group, name), FromWindows1252(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}
