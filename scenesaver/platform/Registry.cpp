#include "platform/Registry.h"

#include "platform/TextCodec.h"

#include <QSettings>
#include <QStandardPaths>

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
