#include "notes/Resources.h"

#include "notes/DefaultNotes.h"
#include "plat/ResourceID.h"

#include <cstring>

namespace {

struct StringEntry {
    std::uint16_t id;
    const char* text;
};

// clang-format off
constexpr StringEntry strings[] = {
    {StringProgramName, "Noterix"},
    {StringProblemTitle, "Noterix problem..."},
    {StringSaveFailed, "A problem occurred when saving the notes to disk.  Any changes you have made will be lost."},
    {StringLoadFailedTitle, "Unable to load notes."},
    {StringLoadFailed, "A problem occurred when loading the notes."},
    {StringWrongFormat, "The file containing the Noterix notes is of the wrong format (%s), and some of the notes may not have loaded correctly."},
    {StringDeleteNoteTitle, "Delete note..."},
    {StringDeleteNoteQuestion, "Are you sure you want to delete this note?"},
    {StringShow, "Show"},
    {StringCreateNewNote, "Create new note..."},
    {StringSaveErrorRetry, "An error occurred when saving the notes to disk:\n\nError: %s\n\nWould you like to try to save them again?"},
    {StringDiskFullRetry, "There is insufficient disk space to save the notes.  You are advised to make some room on %s so that the notes can be saved.\n\nDo you want to try to save the notes again?\n\nNB. If you answer no, then some or all of your notes will be lost."},
    {StringRetryTitle, "Noterix problem..."},
    {StringNoFolder, "Noterix was unable to find a suitable folder in which to save your notes."},
    {StringAlreadyRunning, "Noterix is already running and looking after your notes.  This copy will close so that the two cannot overwrite each other's changes."},
    {StringCannotLock, "The notes could not be saved because Noterix could not lock its notes folder (reason: %s)."},
    {StringLockedElsewhere, "The notes could not be saved because another copy of Noterix is looking after them."},
    {StringChangedElsewhere, "The notes file was changed by another program since Noterix last read or saved it.  That version has been kept as \"%s\" so that nothing is lost, and your notes have been saved in its place."},
};
// clang-format on

class NoterixResources : public plat::ResourceProvider {
public:
    const char* FindString(std::uint16_t id) const override {
        for (const StringEntry& entry : strings) {
            if (entry.id == id) {
                return entry.text;
            }
        }
        return nullptr;
    }

    bool FindText(std::uint16_t id, const char*& data, std::size_t& size) const override {
        const char* text = nullptr;
        if (id == TextHowToUse) {
            text = HowToUseNote();
        } else if (id == TextVersionHistory) {
            text = VersionHistoryNote();
        } else {
            return false;
        }
        data = text;
        size = std::strlen(text);
        return true;
    }
};

} // namespace

void InstallNoterixResources() {
    static const NoterixResources resources;
    plat::ResourceProvider::Install(&resources);
}
