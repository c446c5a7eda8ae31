// Writing the notes file: a header line, then one record per note.

#include "notes/GuidText.h"
#include "notes/NoteStore.h"

namespace {

bool WriteTime(plat::File& file, const char* name, plat::Time time) {
    plat::String line;
    line.Format("time-%s: %s", name, time.Format("%Y/%m/%d %H:%M").c_str());
    return file.WriteLine(line);
}

bool WriteFlag(plat::File& file, const char* name, bool value) {
    plat::String line;
    line.Format("%s: %s", name, value ? "yes" : "no");
    return file.WriteLine(line);
}

// One "#" line per line of the text. A line break is CR LF, a lone LF or a
// lone CR; LF CR is two breaks. A text that ends with a break gets a last
// empty line, an empty text gets none.
bool WriteTextLines(plat::File& file, const plat::String& text) {
    if (text.IsEmpty()) {
        return true;
    }
    const char* bytes = text.c_str();
    const std::size_t length = text.Length();
    auto writeLine = [&](std::size_t start, std::size_t end) {
        if (start == end) {
            return file.WriteLine("#");
        }
        return file.WriteChar('#') && file.Write(bytes + start, end - start, nullptr) &&
               file.Write("\r\n", 2, nullptr);
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            continue;
        }
        if (!writeLine(start, i)) {
            return false;
        }
        if (bytes[i] == '\r' && i + 1 < length && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    return writeLine(start, length);
}

} // namespace

bool NoteStore::WriteNote(plat::File& file, Note& note) {
    plat::String line;
    if (!file.WriteLine("[start:note]") || !WriteTime(file, "created", note.Created()) ||
        !WriteTime(file, "modified", note.Modified()) ||
        !WriteTime(file, "accessed", note.Accessed())) {
        return false;
    }
    line.Format("position: %d %d", note.X(), note.Y());
    if (!file.WriteLine(line)) {
        return false;
    }
    line.Format("size: %d %d", note.Width(), note.Height());
    if (!file.WriteLine(line)) {
        return false;
    }
    const plat::Colour colour = note.GetColour();
    line.Format("colour: #%.2X%.2X%.2X", colour.red, colour.green, colour.blue);
    if (!file.WriteLine(line) || !WriteFlag(file, "visible", note.IsVisible()) ||
        !WriteFlag(file, "folded", note.IsFolded())) {
        return false;
    }
    plat::Guid guid;
    if (note.GetGuid(guid)) {
        line = "guid: " + GuidToText(guid);
        if (!file.WriteLine(line)) {
            return false;
        }
    }
    // Fetching the text stamps the access time; the stamp written above is
    // the previous one, and the next save writes this one.
    const plat::String text = note.GetText();
    line.Format("content-length: %zu", text.Length());
    return file.WriteLine(line) && file.WriteLine("[start:contents]") &&
           WriteTextLines(file, text) && file.WriteLine("[end:contents]") &&
           file.WriteLine("[end:note]");
}

bool NoteStore::WriteNotes(plat::File& file, std::span<Note* const> notes) {
    plat::String header;
    header.Format("!Noterix: %d.%.2d", static_cast<int>(CurrentMajor),
                  static_cast<int>(CurrentMinor));
    if (!file.WriteLine(header)) {
        return false;
    }
    for (Note* note : notes) {
        if (!WriteNote(file, *note)) {
            return false;
        }
    }
    return true;
}

void NoteStore::ClearModified() {
    for (Note* note : notes_) {
        note->ClearDirty();
    }
    changed_ = false;
}

bool NoteStore::WriteAll(plat::File& file) {
    if (!WriteNotes(file, notes_)) {
        return false;
    }
    ClearModified();
    return true;
}

bool NoteStore::WriteOpen(plat::File& file, std::span<Note* const> openNotes) {
    return WriteNotes(file, openNotes);
}
