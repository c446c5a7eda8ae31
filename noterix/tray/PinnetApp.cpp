#include "tray/PinnetApp.h"

#include "notes/Resources.h"
#include "plat/ErrorStack.h"
#include "plat/Preferences.h"
#include "plat/Time.h"
#include "tray/AutosavePeriod.h"
#include "tray/GuardedErrorReporter.h"
#include "tray/OptionsDialog.h"
#include "tray/PinnetWindow.h"
#include "tray/TrayResources.h"
#include "wkit/ErrorReporter.h"
#include "wkit/MsgDialog.h"

#include <cstdlib>

namespace {

// A left press arms the left button; its release then shows the notes list.
bool leftArmed = false;

const wkit::CommandEntry entries[] = {
    wkit::OnCommandEntry<&PinnetApp::OnExit>(CommandExit),
    wkit::OnCommandEntry<&PinnetApp::OnNewNote>(CommandNewNote),
    wkit::OnCommandEntry<&PinnetApp::OnShowAll>(CommandShowAll),
    wkit::OnCommandEntry<&PinnetApp::OnHideAll>(CommandHideAll),
    wkit::OnCommandEntry<&PinnetApp::OnShowOrHide>(CommandShowOrHide),
    wkit::OnCommandEntry<&PinnetApp::OnOptions>(CommandOptions),
    wkit::OnCommandEntry<&PinnetApp::OnSaveNow>(CommandSaveNow),
    wkit::OnCommandEntry<&PinnetApp::OnSaveOpenNotes>(CommandSaveOpenNotes),
    wkit::OnCommandEntry<&PinnetApp::OnAbout>(CommandAbout),
    wkit::EndOfCommands(),
};

} // namespace

const wkit::CommandMap PinnetApp::commandMap = {&wkit::ApplicationDialog::commandMap, entries};

PinnetApp::PinnetApp() : keeper_(*this) {
    InstallTrayResources();
    plat::Preferences::SetIdentity("Tallowbrook", "Noterix");
    plat::ErrorStateStack::Get().SetReporter(new GuardedErrorReporter);
    name.id = StringProgramName;
    largeIcon.id = smallIcon.id = IconNoterix;
    iconMenu.id = MenuTray;
    useNotificationArea = true;
    showMainDialogAtStart = false;
    animateMainWindow = false;
    defaultIconCommand = CommandNewNote;
    alternateIconCommand = CommandShowOrHide;
    PinnetWindow::SetKeeper(&keeper_);
    leftArmed = false;
    AddIdleHandler(&menuWarmer_);
}

PinnetApp::~PinnetApp() {
    RemoveIdleHandler(&menuWarmer_);
    notesMenu_.reset();
    PinnetWindow::FreeClosed();
    PinnetWindow::SetKeeper(nullptr);
}

wkit::Dialog* PinnetApp::CreateMainDialog() {
    return new OptionsDialog;
}

bool PinnetApp::CreateMainWindow() {
    // A second copy says so and ends before its icon ever appears.
    return keeper_.ClaimNotes() && ApplicationDialog::CreateMainWindow();
}

bool PinnetApp::OnStart() {
    if (!keeper_.StartUp()) {
        return false;
    }
    std::srand(static_cast<unsigned>(plat::Time::Now().Seconds()));
    keeper_.StartAutosave(AutosavePeriod(std::getenv("NOTERIX_AUTOSAVE_MS")));
    ScheduleIdleWork();
    return true;
}

void PinnetApp::OnQuit() {
    keeper_.Quit();
}

wkit::IconAction PinnetApp::ClassifyIconClick(std::uint32_t flags) {
    const bool left = (flags & wkit::IconLeft) != 0;
    if (!left || (flags & wkit::IconShift) != 0) {
        return wkit::BaseIconPolicy(flags);
    }
    if ((flags & wkit::IconDown) != 0) {
        leftArmed = true;
        return wkit::IconNothing;
    }
    if ((flags & wkit::IconUp) != 0) {
        return leftArmed ? wkit::IconShowMenu : wkit::IconNothing;
    }
    if ((flags & wkit::IconDoubleClick) != 0) {
        leftArmed = false;
        return wkit::IconDefaultCommand;
    }
    return wkit::BaseIconPolicy(flags);
}

std::shared_ptr<wkit::Menu> PinnetApp::BuildIconMenu(std::shared_ptr<wkit::Menu> menu,
                                                     std::uint32_t flags) {
    CopyEditsIntoNotes();
    if (showPosition_ < 0) {
        std::size_t position = 0;
        if (menu->FindPosition(CommandShowPlaceholder, position)) {
            showPosition_ = static_cast<std::int32_t>(position);
            showPresent_ = true;
        }
    }
    menu->DeleteItem(CommandSaveOpenNotes);
    if (showPosition_ < 0) {
        return menu;
    }
    const bool notesList = (flags & wkit::IconLeft) != 0;
    NoteStore& store = keeper_.Store();
    if (!notesList && store.Count() == 0) {
        if (showPresent_) {
            menu->DeleteItem(CommandShowPlaceholder);
            showPresent_ = false;
        }
        return menu;
    }
    if (!showPresent_) {
        wkit::MenuItem show;
        plat::ResourceID{plat::ResourceID::StringKind, StringShow}.LoadString(show.text);
        show.id = CommandShowPlaceholder;
        menu->Insert(static_cast<std::size_t>(showPosition_), show);
        showPresent_ = true;
    }
    notesMenu_ = std::make_shared<wkit::Menu>();
    if (notesList) {
        plat::String create;
        plat::ResourceID{plat::ResourceID::StringKind, StringCreateNewNote}.LoadString(create);
        notesMenu_->Append(create, CommandNewNote);
        if (store.Count() > 0) {
            notesMenu_->AppendSeparator();
        }
    }
    for (std::size_t i = 0; i < store.Count(); ++i) {
        Note* note = nullptr;
        if (store.GetAt(i, note)) {
            // Titles are the user's words: an ampersand is shown, not a mnemonic.
            notesMenu_->Append(note->MenuTitle(), CommandNoteList + static_cast<std::int32_t>(i),
                               note->IsVisible(), true);
        }
    }
    if (notesList) {
        return notesMenu_;
    }
    if (wkit::MenuItem* show = menu->FindItem(CommandShowPlaceholder)) {
        show->submenu = notesMenu_;
    }
    return menu;
}

bool PinnetApp::OnCommand(std::int32_t id) {
    NoteStore& store = keeper_.Store();
    if (id >= CommandNoteList && static_cast<std::size_t>(id - CommandNoteList) < store.Count()) {
        Note* note = nullptr;
        if (store.GetAt(static_cast<std::size_t>(id - CommandNoteList), note)) {
            if (PinnetWindow* window = PinnetWindow::Open(*note, true)) {
                window->Activate();
                window->SetFocus();
            }
        }
        return true;
    }
    return ApplicationDialog::OnCommand(id);
}

bool PinnetApp::OnExit() {
    // Closing the main dialog ends the program.
    if (MainDialog() != nullptr) {
        MainDialog()->Destroy();
    }
    return true;
}

bool PinnetApp::OnNewNote() {
    if (Note* note = keeper_.CreateNote()) {
        if (PinnetWindow* window = PinnetWindow::Find(*note)) {
            window->Activate();
            window->Edit().SetFocus();
        }
    }
    return true;
}

bool PinnetApp::OnShowAll() {
    NoteStore& store = keeper_.Store();
    for (std::size_t i = 0; i < store.Count(); ++i) {
        Note* note = nullptr;
        if (store.GetAt(i, note)) {
            PinnetWindow::Open(*note, false);
        }
    }
    return true;
}

bool PinnetApp::OnHideAll() {
    PinnetWindow::HideAll();
    return true;
}

bool PinnetApp::OnShowOrHide() {
    return PinnetWindow::Count() == 0 ? OnShowAll() : OnHideAll();
}

bool PinnetApp::OnOptions() {
    if (MainDialog() != nullptr) {
        MainDialog()->Activate();
    }
    return true;
}

bool PinnetApp::OnSaveNow() {
    keeper_.SaveNow();
    return true;
}

bool PinnetApp::OnSaveOpenNotes() {
    keeper_.SaveOpenNotes();
    return true;
}

bool PinnetApp::OnAbout() {
    AboutDialog::Open();
    return true;
}

void PinnetApp::CopyEditsIntoNotes() {
    PinnetWindow::CopyAllEdits();
}

void PinnetApp::OpenNoteWindow(Note& note) {
    PinnetWindow::Open(note, false);
}

std::vector<Note*> PinnetApp::OpenNotes() {
    std::vector<Note*> notes;
    for (std::size_t i = 0; i < PinnetWindow::Count(); ++i) {
        notes.push_back(PinnetWindow::NoteAt(i));
    }
    return notes;
}

void PinnetApp::Alert(const plat::String& title, const plat::String& text) {
    wkit::Alert(title, text);
}

bool PinnetApp::AskYesNo(const plat::String& title, const plat::String& text) {
    return wkit::Question(title, text).AskYesNo();
}
