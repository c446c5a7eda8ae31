#include "notes/Note.h"

#include "notes/Utf8.h"

Note::Note() : created_(plat::Time::Now()), colour_(plat::Colour::Yellow.Tint(TintPercentage)) {}

plat::String Note::GetText() {
    accessed_ = plat::Time::Now();
    return text_;
}

void Note::TakeTitleFrom(const plat::String& text) {
    if (text.IsEmpty() || text[0] == '\r' || text[0] == '\n') {
        return;
    }
    std::size_t end = 0;
    while (end < text.Length() && text[end] != '\r' && text[end] != '\n') {
        ++end;
    }
    title_ = text.Left(end);
}

void Note::SetText(const plat::String& text) {
    LoadText(text);
    modified_ = plat::Time::Now();
    dirty_ = true;
}

void Note::LoadText(const plat::String& text) {
    text_ = text;
    TakeTitleFrom(text);
}

void Note::SetPosition(std::int32_t x, std::int32_t y) {
    LoadPosition(x, y);
    dirty_ = true;
}

void Note::LoadPosition(std::int32_t x, std::int32_t y) {
    x_ = x;
    y_ = y;
    placed_ = true;
}

void Note::SetSize(std::int32_t width, std::int32_t height) {
    LoadSize(width, height);
    dirty_ = true;
}

void Note::LoadSize(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
}

void Note::SetColour(const plat::Colour& colour) {
    LoadColour(colour);
    dirty_ = true;
}

void Note::LoadColour(const plat::Colour& colour) {
    colour_ = colour.Tint(TintPercentage);
}

bool Note::GetGuid(plat::Guid& out) {
    if (!guid_.IsSet()) {
        guid_.Create();
    }
    out = guid_;
    return guid_.IsSet();
}

void Note::SetGuid(const plat::Guid& guid) {
    if (guid.IsSet()) {
        guid_ = guid;
    }
}

plat::String Note::MenuTitle() const {
    if (title_.IsEmpty()) {
        return created_.Format("%d/%m/%Y %H:%M");
    }
    // Counted in characters where the title is UTF-8, so that a cut never
    // splits one; in bytes for older 8-bit text.
    constexpr std::size_t shortEnough = 40;
    constexpr std::size_t kept = 37;
    if (CharacterCount(title_) < shortEnough) {
        return title_;
    }
    plat::String cut = title_.Left(CharacterPrefixBytes(title_, kept));
    cut.Trim();
    cut.Append("...");
    return cut;
}
