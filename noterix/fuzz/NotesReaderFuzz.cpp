// The notes reader over arbitrary bytes. Whatever it reads, writing it back
// out and reading that again must give the same notes.

#include "StringFile.h"
#include "notes/GuidText.h"
#include "notes/NoteStore.h"
#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/MemoryFile.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

bool ReadBytes(NoteStore& store, const char* data, std::size_t size) {
    plat::MemoryFile file;
    return file.CreateAndOpen(data, size, plat::File::ReadMode) && store.Read(file);
}

bool SameNote(Note& a, Note& b) {
    return a.PeekText() == b.PeekText() && a.Title() == b.Title() && a.PeekGuid() == b.PeekGuid() &&
           a.X() == b.X() && a.Y() == b.Y() && a.Width() == b.Width() && a.Height() == b.Height() &&
           a.GetColour() == b.GetColour() && a.IsVisible() == b.IsVisible() &&
           a.IsFolded() == b.IsFolded();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        ::setenv("TZ", "UTC0", 1);
        ::tzset();
        InstallNoterixResources();
        return true;
    }();
    (void)ready;
    const char* bytes = size ? reinterpret_cast<const char*>(data) : "";

    NoteStore store;
    ReadBytes(store, bytes, size);
    plat::ErrorStateStack::Get().Clear();

    StringFile sink;
    if (!store.WriteAll(sink)) {
        std::abort();
    }
    NoteStore again;
    if (!ReadBytes(again, sink.bytes.data(), sink.bytes.size()) || again.Count() != store.Count()) {
        std::abort();
    }
    for (std::size_t i = 0; i < store.Count(); ++i) {
        Note* first = nullptr;
        Note* second = nullptr;
        store.GetAt(i, first);
        again.GetAt(i, second);
        if (!SameNote(*first, *second)) {
            std::abort();
        }
    }
    plat::ErrorStateStack::Get().Clear();
    return 0;
}
