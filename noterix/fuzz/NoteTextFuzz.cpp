// A note's text as typed, pasted or read from any notes file: the title and
// the menu label drawn from it never split a UTF-8 character, stay within
// their lengths, and the character counts agree with the byte counts.

#include "notes/Note.h"
#include "notes/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The text type ends at a NUL, as every text of the program does.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const plat::String text(bytes.c_str());
    const bool utf8 = IsValidUtf8(text);
    const std::size_t characters = CharacterCount(text);
    Check(characters <= text.Length());
    Check(CharacterPrefixBytes(text, characters) == text.Length());
    std::size_t previous = 0;
    for (std::size_t n = 0; n <= characters; ++n) {
        const std::size_t prefix = CharacterPrefixBytes(text, n);
        Check(prefix >= previous && prefix <= text.Length());
        Check(!utf8 || IsValidUtf8(text.Left(prefix)));
        previous = prefix;
    }

    Note note;
    note.LoadText(text);
    const plat::String& title = note.Title();
    Check(title.Length() <= text.Length());
    std::size_t at = 0;
    Check(!title.Find('\r', at) && !title.Find('\n', at));
    Check(!utf8 || IsValidUtf8(title));
    const plat::String label = note.MenuTitle();
    Check(!label.IsEmpty());
    if (!title.IsEmpty()) {
        Check(!utf8 || IsValidUtf8(label));
        Check(CharacterCount(label) <= 40);
    }
    return 0;
}
