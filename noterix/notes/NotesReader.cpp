// Reading the notes file. The reader is tolerant: keys come in any order,
// unknown lines are skipped, and a malformed key line leaves its field as
// it was.

#include "notes/GuidText.h"
#include "notes/NoteStore.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/ResourceID.h"
#include "plat/TextScanner.h"

#include <memory>
#include <string_view>

namespace {

// The text of a note may announce its length; it is only a hint for the
// buffer, and a hint this large is not believed.
constexpr std::uint32_t LargestLengthHint = 1048576;

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

bool SkipPastColon(plat::TextScanner& scan) {
    plat::String key;
    scan.ReadUntil(key, ":", false);
    return scan.SkipIfIn(":");
}

void ParseTime(const plat::String& line, Note& note) {
    plat::TextScanner scan(line.Mid(5)); // after "time-"
    plat::String name;
    std::uint32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (!scan.ReadUntil(name, ":", false)) {
        return;
    }
    scan.SkipIfIn(":");
    scan.SkipSpace();
    if (!scan.ReadUnsigned(year) || !scan.SkipIfIn("/") || !scan.ReadUnsigned(month) ||
        !scan.SkipIfIn("/") || !scan.ReadUnsigned(day)) {
        return;
    }
    scan.SkipSpace();
    if (!scan.ReadUnsigned(hour) || !scan.SkipIfIn(":") || !scan.ReadUnsigned(minute)) {
        return;
    }
    if (!plat::Time::IsValidDate(year, month, day) || hour >= 24 || minute >= 60 || year > 9999) {
        return;
    }
    plat::Time time;
    if (!plat::Time::FromLocal(static_cast<int>(year), static_cast<int>(month),
                               static_cast<int>(day), static_cast<int>(hour),
                               static_cast<int>(minute), 0, time)) {
        return; // outside the range of a time stamp
    }
    if (name.EqualsNoCase("created")) {
        note.SetCreated(time);
    } else if (name.EqualsNoCase("modified")) {
        note.SetModified(time);
    } else if (name.EqualsNoCase("accessed")) {
        note.SetAccessed(time);
    }
}

bool ParsePair(const plat::String& line, std::int32_t& first, std::int32_t& second) {
    plat::TextScanner scan(line);
    if (!SkipPastColon(scan)) {
        return false;
    }
    scan.SkipSpace();
    if (!scan.ReadSigned(first)) {
        return false;
    }
    scan.SkipSpace();
    return scan.ReadSigned(second);
}

void ParseColour(const plat::String& line, Note& note) {
    plat::TextScanner scan(line);
    plat::String skipped;
    scan.ReadUntil(skipped, "#", false);
    std::uint32_t red = 0, green = 0, blue = 0;
    if (scan.SkipIfIn("#") && scan.ReadHex(red, 2) && scan.ReadHex(green, 2) &&
        scan.ReadHex(blue, 2)) {
        note.LoadColour(plat::Colour{static_cast<std::uint8_t>(red),
                                     static_cast<std::uint8_t>(green),
                                     static_cast<std::uint8_t>(blue)});
    }
}

// "yes" sets the flag; anything else after the colon clears it.
bool ParseFlag(const plat::String& line, bool& value) {
    plat::TextScanner scan(line);
    if (!SkipPastColon(scan)) {
        return false;
    }
    scan.SkipSpace();
    const plat::String rest = line.Mid(scan.Position());
    value = rest.EqualsNoCase("yes");
    return true;
}

void ParseGuid(const plat::String& line, Note& note) {
    plat::TextScanner scan(line);
    plat::String text;
    if (!SkipPastColon(scan)) {
        return;
    }
    scan.SkipSpace();
    if (scan.ReadN(text, 32)) {
        note.SetGuid(GuidFromText(text));
    }
}

std::uint32_t ParseLengthHint(const plat::String& line) {
    plat::TextScanner scan(line);
    std::uint32_t length = 0;
    if (SkipPastColon(scan)) {
        scan.SkipSpace();
        if (!scan.ReadUnsigned(length)) {
            length = 0;
        }
    }
    return length >= LargestLengthHint ? LargestLengthHint : length;
}

void ParseKeyLine(const plat::String& line, Note& note, plat::String& text, bool textStarted) {
    std::int32_t a = 0, b = 0;
    bool flag = false;
    if (line.StartsWithNoCase("time-")) {
        ParseTime(line, note);
    } else if (line.StartsWithNoCase("position:")) {
        if (ParsePair(line, a, b)) {
            note.LoadPosition(a, b);
        }
    } else if (line.StartsWithNoCase("size:")) {
        if (ParsePair(line, a, b)) {
            note.LoadSize(a, b);
        }
    } else if (line.StartsWithNoCase("colour:")) {
        ParseColour(line, note);
    } else if (line.StartsWithNoCase("visible:")) {
        if (ParseFlag(line, flag)) {
            note.SetVisible(flag);
        }
    } else if (line.StartsWithNoCase("folded:")) {
        if (ParseFlag(line, flag)) {
            note.SetFolded(flag);
        }
    } else if (line.StartsWithNoCase("guid:")) {
        ParseGuid(line, note);
    } else if (line.StartsWithNoCase("content-length:")) {
        // The hint sizes the whole text, so it counts only before the text
        // starts; later ones would make every line reallocate a megabyte.
        if (!textStarted) {
            text.Reserve(ParseLengthHint(line) + 1);
        }
    }
}

void ParseVersion(const plat::String& header, std::uint32_t& major, std::uint32_t& minor) {
    plat::TextScanner scan(header);
    plat::String skipped;
    scan.ReadUntil(skipped, ":", false);
    major = 1;
    minor = 0;
    std::uint32_t readMajor = 0, readMinor = 0;
    if (!scan.SkipIfIn(":")) {
        return;
    }
    scan.SkipSpace();
    if (scan.ReadUnsigned(readMajor) && scan.SkipIfIn(".") && scan.ReadUnsigned(readMinor)) {
        major = readMajor;
        minor = readMinor;
    }
}

} // namespace

bool NoteStore::Read(plat::File& file) {
    plat::String line;
    if (!file.ReadLine(line)) {
        return false;
    }
    // Editors that save UTF-8 may put a byte-order mark first.
    if (line.Left(utf8Mark.size()) == plat::String(utf8Mark.data())) {
        line = line.Mid(utf8Mark.size());
    }
    if (!line.StartsWithNoCase("!Pinnet") && !line.StartsWithNoCase("!Noterix")) {
        plat::String message;
        plat::ResourceID{plat::ResourceID::StringKind, StringWrongFormat}.FormatString(
            message, "Header not recognised");
        return plat::ErrorStateStack::Get().Push(plat::ErrGeneral, plat::SeverityError,
                                                 message.c_str());
    }
    ParseVersion(line, versionMajor_, versionMinor_);
    if (file.IsEOF()) {
        return true;
    }

    std::unique_ptr<Note> open;
    plat::String text;
    // Whether a text line has been seen, rather than whether the text is
    // empty, decides the line break: empty lines at the start of a note are
    // text too.
    bool textStarted = false;
    auto finish = [&] {
        open->LoadText(text);
        open->ClearDirty();
        AppendNew(open.release());
        text.Empty();
        textStarted = false;
    };
    for (;;) {
        if (!file.ReadLine(line)) {
            return false; // the open note, if any, goes with the failure
        }
        if (line.EqualsNoCase("[start:note]")) {
            if (open) {
                // Its end marker is missing; keep what it had rather than
                // dropping it.
                finish();
            }
            open = std::make_unique<Note>();
            text.Empty();
            textStarted = false;
        } else if (line.EqualsNoCase("[end:note]")) {
            if (open) {
                finish();
            }
        } else if (!open) {
            // Nothing outside a record means anything.
        } else if (line[0] == '#') {
            if (textStarted) {
                text.Append("\r\n");
            }
            textStarted = true;
            text.AppendBytes(line.c_str() + 1, line.Length() - 1);
        } else {
            ParseKeyLine(line, *open, text, textStarted);
        }
        if (file.IsEOF()) {
            if (open) {
                finish();
            }
            return true;
        }
    }
}
