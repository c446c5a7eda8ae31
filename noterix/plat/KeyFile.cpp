#include "plat/KeyFile.h"

#include "plat/HexDigit.h"

#include <cctype>
#include <cstdio>

namespace plat {

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

int HexDigit(char c) {
    return HexDigitValue(c);
}

// specials: characters escaped in this position besides controls and '\'.
std::string Escape(std::string_view text, std::string_view specials) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        // Blanks at either end would be trimmed away when read back.
        const bool edgeBlank = c == ' ' && (i == 0 || i + 1 == text.size());
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\0') {
            out += "\\0";
        } else if (u < 0x20 || u == 0x7F || edgeBlank ||
                   specials.find(c) != std::string_view::npos) {
            char buffer[5];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i >= text.size()) {
            return false;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '0':
            out += '\0';
            break;
        case 'x': {
            if (i + 2 >= text.size()) {
                return false;
            }
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high < 0 || low < 0) {
                return false;
            }
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool ParseDword(std::string_view text, std::uint32_t& out) {
    std::uint64_t value = 0;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0 || digit >= base) {
            return false;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            return false;
        }
    }
    out = static_cast<std::uint32_t>(value);
    return true;
}

struct TypeName {
    KeyFile::Type type;
    const char* name;
};
constexpr TypeName typeNames[] = {
    {KeyFile::Type::Dword, "dword"},        {KeyFile::Type::Sz, "sz"},
    {KeyFile::Type::ExpandSz, "expand_sz"}, {KeyFile::Type::MultiSz, "multi_sz"},
    {KeyFile::Type::Binary, "binary"},
};

} // namespace

bool KeyFile::ParseEntry(std::string_view text, Line& line) const {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const std::string_view rest = TrimSpace(text.substr(equals + 1));
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos ||
        !Unescape(TrimSpace(text.substr(0, equals)), line.name) || line.name.empty()) {
        return false;
    }
    const std::string_view typeText = rest.substr(0, colon);
    const std::string_view valueText = rest.substr(colon + 1);
    const TypeName* found = nullptr;
    for (const TypeName& entry : typeNames) {
        if (SameNoCase(typeText, entry.name)) {
            found = &entry;
        }
    }
    if (found == nullptr) {
        return false;
    }
    line.value.type = found->type;
    switch (found->type) {
    case Type::Dword:
        return ParseDword(valueText, line.value.dword);
    case Type::Binary:
        if (valueText.size() % 2 != 0) {
            return false;
        }
        line.value.bytes.clear();
        for (std::size_t i = 0; i < valueText.size(); i += 2) {
            const int high = HexDigit(valueText[i]);
            const int low = HexDigit(valueText[i + 1]);
            if (high < 0 || low < 0) {
                return false;
            }
            line.value.bytes += static_cast<char>(high * 16 + low);
        }
        return true;
    default:
        return Unescape(valueText, line.value.bytes);
    }
}

bool KeyFile::Parse(std::string_view text) {
    lines_.clear();
    if (text.size() > MaxFileSize) {
        return false;
    }
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

        Line line;
        // Kept byte for byte (a CR of a CR LF included), so that writing
        // the file back gives the same line however often it is rewritten.
        line.raw.assign(raw.data(), raw.size());
        const std::string_view content = TrimSpace(line.raw);
        if (content.size() >= 2 && content.front() == '[' && content.back() == ']') {
            if (Unescape(content.substr(1, content.size() - 2), line.section)) {
                line.kind = Line::Section;
            }
        } else if (!content.empty() && content.front() != '#' && content.front() != ';') {
            if (ParseEntry(content, line)) {
                line.kind = Line::Entry;
            }
        }
        lines_.push_back(std::move(line));
    }
    return true;
}

std::string KeyFile::Serialize() const {
    std::string out;
    for (const Line& line : lines_) {
        switch (line.kind) {
        case Line::Raw:
            out += line.raw;
            break;
        case Line::Section:
            out += '[';
            out += Escape(line.section, "[]#;=");
            out += ']';
            break;
        case Line::Entry: {
            out += Escape(line.name, "[]#;=:");
            const char* typeName = "sz";
            for (const TypeName& entry : typeNames) {
                if (entry.type == line.value.type) {
                    typeName = entry.name;
                }
            }
            out += "=";
            out += typeName;
            out += ":";
            if (line.value.type == Type::Dword) {
                out += std::to_string(line.value.dword);
            } else if (line.value.type == Type::Binary) {
                for (const char c : line.value.bytes) {
                    char buffer[3];
                    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(c));
                    out += buffer;
                }
            } else {
                out += Escape(line.value.bytes, "");
            }
            break;
        }
        }
        out += '\n';
    }
    return out;
}

bool KeyFile::SectionRange(std::string_view section, std::size_t& begin, std::size_t& end) const {
    bool inside = section.empty();
    bool found = inside;
    begin = 0;
    end = lines_.size();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Line::Section) {
            continue;
        }
        if (inside) {
            end = i;
            return true;
        }
        if (SameNoCase(lines_[i].section, section)) {
            inside = true;
            found = true;
            begin = i + 1;
        }
    }
    return found;
}

const KeyFile::Value* KeyFile::Find(std::string_view section, std::string_view name) const {
    std::size_t begin = 0;
    std::size_t end = 0;
    if (!SectionRange(section, begin, end)) {
        return nullptr;
    }
    for (std::size_t i = begin; i < end; ++i) {
        if (lines_[i].kind == Line::Entry && SameNoCase(lines_[i].name, name)) {
            return &lines_[i].value;
        }
    }
    return nullptr;
}

void KeyFile::Set(std::string_view section, std::string_view name, const Value& value) {
    std::size_t begin = 0;
    std::size_t end = 0;
    if (!SectionRange(section, begin, end)) {
        Line header;
        header.kind = Line::Section;
        header.section.assign(section.data(), section.size());
        lines_.push_back(std::move(header));
        begin = end = lines_.size();
    }
    std::size_t insertAt = begin;
    for (std::size_t i = begin; i < end; ++i) {
        if (lines_[i].kind == Line::Entry) {
            if (SameNoCase(lines_[i].name, name)) {
                lines_[i].value = value;
                return;
            }
            insertAt = i + 1;
        }
    }
    Line entry;
    entry.kind = Line::Entry;
    entry.name.assign(name.data(), name.size());
    entry.value = value;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
}

} // namespace plat
