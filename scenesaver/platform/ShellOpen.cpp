#include "platform/ShellOpen.h"

#include "platform/TextCodec.h"

#include <QProcess>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

bool IsOpenableLink(const std::string& link) {
    static constexpr std::array<std::string_view, 5> kSchemes = {
        "http:", "https:", "ftp:", "mailto:", "file:"};
    std::string lower = link.substr(0, 8);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool knownScheme = std::any_of(kSchemes.begin(), kSchemes.end(),
                                         [&](std::string_view s) { return lower.starts_with(s); });
    const bool hasControl = std::any_of(link.begin(), link.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return knownScheme && !hasControl;
}

bool ShellOpen(const std::string& link) {
    if (!IsOpenableLink(link)) {
        return false;
    }
    return QProcess::startDetached(QStringLiteral("xdg-open"), {FromWindows1252(link)});
}
