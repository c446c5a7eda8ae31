#include "TestFolder.h"
#include "notes/ColourCycle.h"
#include "notes/GuidText.h"
#include "notes/Note.h"
#include "notes/NoteStore.h"
#include "notes/Resources.h"
#include "plat/Random.h"
#include "plat/ResourceID.h"

#include <gtest/gtest.h>

#include <string>

using plat::String;

TEST(GuidText, LastByteFirstInLowerCase) {
    plat::Guid guid;
    for (int i = 0; i < 16; ++i) {
        guid.Bytes()[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 17);
    }
    EXPECT_STREQ(GuidToText(guid).c_str(), "ffeeddccbbaa99887766554433221100");
    struct Case {
        const char* text;
        std::uint8_t byte0, byte15;
    };
    const Case cases[] = {
        {"ffeeddccbbaa99887766554433221100", 0x00, 0xFF},
        {"FFEEDDCCBBAA99887766554433221100", 0x00, 0xFF}, // upper case reads the same
        {"zz00000000000000000000000000001g", 0x10, 0x00}, // non-digits count as 0
    };
    for (const Case& c : cases) {
        const plat::Guid read = GuidFromText(String(c.text));
        EXPECT_EQ(read.Bytes()[0], c.byte0) << c.text;
        EXPECT_EQ(read.Bytes()[15], c.byte15) << c.text;
    }
    EXPECT_EQ(GuidFromText(GuidToText(guid)), guid);
    EXPECT_FALSE(GuidFromText(String("abc")).IsSet());
}

TEST(Note, TitleFollowsTheFirstLine) {
    struct Case {
        const char* text;
        const char* title;
    };
    Note note;
    // Each text is set on the same note, so a text that gives no title shows
    // that the previous one is kept.
    const Case cases[] = {
        {"Shopping\r\nmilk", "Shopping"}, {"", "Shopping"},
        {"\r\nbody only", "Shopping"},    {"Lone LF\nrest", "Lone LF"},
        {"Lone CR\rrest", "Lone CR"},     {"single", "single"},
    };
    for (const Case& c : cases) {
        note.SetText(String(c.text));
        EXPECT_STREQ(note.Title().c_str(), c.title) << c.text;
    }
}

TEST(Note, ChangesMarkDirtyAndStampTimes) {
    Note note;
    EXPECT_TRUE(note.IsDirty()); // a new note is unsaved
    EXPECT_EQ(note.Width(), 160);
    EXPECT_EQ(note.Height(), 100);
    EXPECT_EQ(note.GetColour(), (plat::Colour{255, 255, 204}));
    EXPECT_FALSE(note.IsPlaced());
    note.ClearDirty();
    note.SetVisible(true);
    note.SetFolded(true);
    EXPECT_FALSE(note.IsDirty());
    note.SetPosition(-5, 7);
    EXPECT_TRUE(note.IsPlaced());
    EXPECT_TRUE(note.IsDirty());
    note.ClearDirty();
    note.SetColour(plat::Colour::Red);
    EXPECT_EQ(note.GetColour(), (plat::Colour{255, 204, 204}));
    EXPECT_TRUE(note.IsDirty());
    note.ClearDirty();
    EXPECT_EQ(note.Modified().Seconds(), 0);
    note.SetText(String("x"));
    EXPECT_NE(note.Modified().Seconds(), 0);
    EXPECT_EQ(note.Accessed().Seconds(), 0);
    note.GetText();
    EXPECT_NE(note.Accessed().Seconds(), 0);
    note.ClearDirty();
    note.LoadText(String("loaded"));
    EXPECT_FALSE(note.IsDirty());
}

TEST(Note, IdentifiersAreMadeOnDemandAndNeverCleared) {
    Note note;
    EXPECT_FALSE(note.PeekGuid().IsSet());
    plat::Guid first;
    ASSERT_TRUE(note.GetGuid(first));
    plat::Guid again;
    note.GetGuid(again);
    EXPECT_EQ(first, again);
    note.SetGuid(plat::Guid());
    EXPECT_EQ(note.PeekGuid(), first);
}

TEST(Note, MenuTitleShortensLongFirstLines) {
    ScopedTimeZone zone("UTC0");
    struct Case {
        std::string title;
        std::string menu;
    };
    const std::string s39(39, 'a');
    const std::string s40(40, 'b');
    const std::string spaced = std::string(36, 'c') + " and then the rest"; // 54
    const std::string umlauts = "Grüße an alle Freunde und die Nachbarn!";  // 39 characters
    const std::string longUtf8 = std::string(36, 'd') + "äöü and more";
    const Case cases[] = {
        {s39, s39},
        {s40, std::string(37, 'b') + "..."},
        {std::string(45, 'e'), std::string(37, 'e') + "..."},
        {spaced, std::string(36, 'c') + "..."}, // the cut lands on a blank, trimmed away
        {umlauts, umlauts},
        {longUtf8, std::string(36, 'd') + "ä..."},
    };
    for (const Case& c : cases) {
        Note note;
        note.SetText(String(c.title.c_str()));
        EXPECT_EQ(std::string(note.MenuTitle().c_str()), c.menu) << c.title;
    }
    Note empty;
    empty.SetCreated(plat::Time(1032128220));
    EXPECT_STREQ(empty.MenuTitle().c_str(), "15/09/2002 22:17");
}

TEST(ColourCycle, SevenColoursWithCyanTwice) {
    plat::Random::Seed(1);
    ResetNoteColourCycle();
    std::vector<plat::Colour> colours;
    for (int i = 0; i < 14; ++i) {
        colours.push_back(NextNoteColour());
    }
    // rand() is 41 first: (41 >> 8) % 7 = 0, so the cycle starts at yellow.
    EXPECT_EQ(colours[0], plat::Colour::Yellow);
    EXPECT_EQ(colours[1], plat::Colour::Cyan);
    EXPECT_EQ(colours[7], colours[0]);
    for (int start = 0; start < 7; ++start) {
        int cyan = 0;
        for (int i = start; i < start + 7; ++i) {
            cyan += colours[static_cast<std::size_t>(i)] == plat::Colour::Cyan;
        }
        EXPECT_EQ(cyan, 2);
    }
    // Seed 302 gives 1024 first: (1024 >> 8) % 7 = 4, orange.
    plat::Random::Seed(302);
    ResetNoteColourCycle();
    EXPECT_EQ(NextNoteColour(), plat::Colour::Orange);
    EXPECT_EQ(NextNoteColour(), plat::Colour::Cyan);
    EXPECT_EQ(NextNoteColour(), plat::Colour::White);
    EXPECT_EQ(NextNoteColour(), plat::Colour::Yellow);
}

TEST(NoteStore, ListOperationsAndChangeTracking) {
    NoteStore store;
    auto* a = new Note;
    auto* b = new Note;
    store.Add(a);
    store.Add(b);
    store.Add(a); // moves to the end, never twice
    ASSERT_EQ(store.Count(), 2u);
    Note* at = nullptr;
    ASSERT_TRUE(store.GetAt(1, at));
    EXPECT_EQ(at, a);
    EXPECT_FALSE(store.GetAt(2, at));
    a->ClearDirty();
    b->ClearDirty();
    EXPECT_FALSE(store.IsModified());
    store.Remove(b);
    EXPECT_FALSE(store.IsModified());
    store.Add(b);
    store.Delete(b); // deleting alone is a change worth saving
    EXPECT_TRUE(store.IsModified());
    plat::Guid guid;
    ASSERT_TRUE(a->GetGuid(guid));
    EXPECT_TRUE(store.HasGuid(guid));
    plat::Guid other;
    other.Bytes()[0] = 1;
    EXPECT_FALSE(store.HasGuid(other));
    EXPECT_EQ(store.FileVersionMajor(), 99u);
    EXPECT_FALSE(store.IsFileOlderThanCurrent());
}

TEST(Resources, TextsTheUserReads) {
    InstallNoterixResources();
    struct Case {
        std::uint16_t id;
        const char* text;
    };
    const Case cases[] = {
        {StringDeleteNoteTitle, "Delete note..."},
        {StringShow, "Show"},
        {StringCreateNewNote, "Create new note..."},
    };
    for (const Case& c : cases) {
        String text;
        const plat::ResourceID id{plat::ResourceID::StringKind, c.id};
        ASSERT_TRUE(id.LoadString(text));
        EXPECT_STREQ(text.c_str(), c.text) << c.id;
    }
}
