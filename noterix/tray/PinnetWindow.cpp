#include "tray/PinnetWindow.h"

#include "notes/NotesKeeper.h"
#include "notes/Resources.h"
#include "notes/Utf8.h"
#include "plat/Preferences.h"
#include "tray/TrayResources.h"
#include "tray/Windows1252.h"
#include "wkit/Application.h"
#include "wkit/GC.h"
#include "wkit/MsgDialog.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

std::vector<PinnetWindow*>& OpenWindows() {
    static std::vector<PinnetWindow*> windows;
    return windows;
}

// Windows closed from their own handlers are freed later, from the loop.
std::vector<std::unique_ptr<PinnetWindow>>& ClosedWindows() {
    static std::vector<std::unique_ptr<PinnetWindow>> windows;
    return windows;
}

NotesKeeper* theKeeper = nullptr;

const wkit::CommandEntry entries[] = {
    wkit::OnNotificationEntry<&PinnetWindow::OnEdited>(wkit::EditChanged, ControlNoteEdit,
                                                       ControlNoteEdit),
    wkit::OnCommandEntry<&PinnetWindow::OnHideNote>(CommandHideNote),
    wkit::OnCommandEntry<&PinnetWindow::OnDeleteNote>(CommandDeleteNote),
    wkit::OnCommandRange<&PinnetWindow::SetColour>(CommandYellow, CommandCyan),
    wkit::EndOfCommands(),
};

wkit::ApplicationImp* Backend() {
    return wkit::ApplicationImp::Current();
}

} // namespace

const wkit::CommandMap PinnetWindow::commandMap = {&wkit::Dialog::commandMap, entries};

bool NoteEditBox::WantsKey(std::int32_t key) {
    return key == wkit::KeyEscape;
}

bool NoteEditBox::OnKeyDown(std::int32_t key, std::uint32_t) {
    if (key != wkit::KeyEscape) {
        return false;
    }
    window_.Close(false);
    return true;
}

PinnetWindow::PinnetWindow(Note& note, bool animate)
    : Dialog(DialogNote, nullptr), edit_(*this), note_(&note), animate_(animate) {
    OpenWindows().push_back(this);
}

PinnetWindow::~PinnetWindow() {
    Unlist();
}

void PinnetWindow::Unlist() {
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void PinnetWindow::SetKeeper(NotesKeeper* keeper) {
    theKeeper = keeper;
}

NotesKeeper* PinnetWindow::Keeper() {
    return theKeeper;
}

void PinnetWindow::FreeClosed() {
    ClosedWindows().clear();
}

PinnetWindow* PinnetWindow::Open(Note& note, bool animate) {
    if (PinnetWindow* open = Find(note)) {
        return open;
    }
    auto window = std::unique_ptr<PinnetWindow>(new PinnetWindow(note, animate));
    if (!window->Create(true)) {
        return nullptr;
    }
    note.SetVisible(true);
    window->Imp()->SetMinimumClientSize(std::max(NarrowestWidth, window->MinimumWidth()),
                                        window->MinimumHeight());
    // The window lives until it is closed; the list and the closed list own it.
    return window.release();
}

bool PinnetWindow::Find(const PinnetWindow& window) {
    const auto& windows = OpenWindows();
    return std::find(windows.begin(), windows.end(), &window) != windows.end();
}

PinnetWindow* PinnetWindow::Find(const Note& note) {
    for (PinnetWindow* window : OpenWindows()) {
        if (window->note_ == &note) {
            return window;
        }
    }
    return nullptr;
}

std::size_t PinnetWindow::Count() {
    return OpenWindows().size();
}

Note* PinnetWindow::NoteAt(std::size_t index) {
    return index < OpenWindows().size() ? OpenWindows()[index]->note_ : nullptr;
}

void PinnetWindow::CopyAllEdits() {
    for (PinnetWindow* window : OpenWindows()) {
        window->Sync();
    }
}

void PinnetWindow::HideAll() {
    while (!OpenWindows().empty()) {
        OpenWindows().front()->Close(false);
    }
}

void PinnetWindow::ApplyOptions(bool scrollBars, bool colours) {
    for (PinnetWindow* window : OpenWindows()) {
        window->edit_.ShowScrollBars(2, scrollBars);
        window->ApplyColour(colours);
    }
}

void PinnetWindow::SetAllTopmost(bool topmost) {
    for (PinnetWindow* window : OpenWindows()) {
        window->SetTopmost(topmost);
    }
}

plat::Colour PinnetWindow::BaseColour(std::int32_t command) {
    switch (command) {
    case CommandYellow:
        return plat::Colour{255, 255, 0};
    case CommandGreen:
        return plat::Colour{0, 255, 0};
    case CommandBlue:
        return plat::Colour{0, 0, 255};
    case CommandPink:
        return plat::Colour{255, 0, 255};
    case CommandOrange:
        return plat::Colour{255, 128, 0};
    case CommandCyan:
        return plat::Colour{0, 255, 255};
    default:
        return plat::Colour{255, 255, 255};
    }
}

void PinnetWindow::Place() {
    const wkit::Rect work = Backend()->WorkArea();
    std::int32_t width = std::max(note_->Width(), NarrowestWidth);
    std::int32_t height = std::max(note_->Height(), 40);
    width = std::min(width, work.Width());
    height = std::min(height, work.Height());
    if (!note_->IsPlaced()) {
        const std::int32_t x = (work.left + work.right) / 2 - width / 2 + std::rand() % 300 - 150;
        const std::int32_t y = (work.top + work.bottom) / 2 - height / 2 + std::rand() % 300 - 150;
        note_->SetPosition(x, y);
    }
    Imp()->SetClientSize(width, height);
    // A note saved on a screen that is gone still opens where it can be seen.
    const wkit::Rect window = GetWindowRect();
    const std::int32_t x =
        std::clamp(note_->X(), work.left, std::max(work.left, work.right - window.Width()));
    const std::int32_t y =
        std::clamp(note_->Y(), work.top, std::max(work.top, work.bottom - window.Height()));
    Move(x, y);
}

bool PinnetWindow::OnInitDialog() {
    edit_.Attach(*this, ControlNoteEdit);
    SetAnchor(ControlNoteEdit, wkit::AnchorStretch, wkit::AnchorStretch);
    edit_.RemoveTextLimit();
    auto& preferences = plat::Preferences::Get();
    Place();
    if (preferences.GetBool("UI.NotesAlwaysOnTop", true)) {
        SetTopmost(true);
    }
    edit_.SelectNothing();
    ApplyColour(preferences.GetBool("UI.ShowNoteColours", true));
    if (preferences.GetBool("UI.ShowScrollBars", true)) {
        edit_.ShowScrollBars(2, true);
    }
    SetText(note_->Created().Format("%d/%m/%Y %H:%M"));
    ShowText();
    if (animate_) {
        Activate();
    }
    if (note_->IsFolded()) {
        ToggleFold();
    }
    changed_ = false;
    return true;
}

void PinnetWindow::ShowText() {
    const plat::String& stored = note_->GetText();
    edit_.SetText(IsValidUtf8(stored) ? stored : Windows1252ToUtf8(stored));
    // What the edit box gives back, line ends and all, is the unedited text.
    shownText_ = edit_.GetText();
}

bool PinnetWindow::OnEdited(std::int32_t, std::int32_t, std::intptr_t) {
    changed_ = true;
    return true;
}

bool PinnetWindow::OnMove(std::int32_t, std::int32_t) {
    changed_ = true;
    return false;
}

bool PinnetWindow::OnSize(std::int32_t width, std::int32_t height) {
    changed_ = true;
    if (!folded_) {
        Dialog::OnSize(width, height);
    }
    return true;
}

void PinnetWindow::Sync() {
    if (note_ == nullptr || !changed_) {
        return;
    }
    // The stored bytes stay as they are until the text itself is edited, so a
    // note in an 8-bit code page survives being moved or resized.
    plat::String edited = edit_.GetText();
    if (!(edited == shownText_)) {
        note_->SetText(edited);
        shownText_ = std::move(edited);
    }
    const wkit::Rect window = GetWindowRect();
    note_->SetPosition(window.left, window.top);
    // The edit box's size includes its scroll bar here, so the stored width
    // never grows by one each time a note with a scroll bar opens.
    const wkit::Rect text = edit_.GetClientRect();
    note_->SetSize(text.Width(), folded_ ? unfoldedTextHeight_ : text.Height());
    changed_ = false;
}

void PinnetWindow::Close(bool deleteNote) {
    Sync();
    if (note_ == nullptr) {
        return;
    }
    if (deleteNote && !note_->PeekText().IsEmpty()) {
        wkit::Question question(StringDeleteNoteTitle, StringDeleteNoteQuestion, this);
        question.SetPreferenceKey("UI.AskUserAbout.DeleteNote");
        // No autosave while the question is open: the note it asks about is
        // still in the store, and a failing save must not stack its alert
        // on top of the question.
        std::optional<NotesKeeper::DialogOpen> asking;
        if (theKeeper != nullptr) {
            asking.emplace(*theKeeper);
        }
        if (!question.AskYesNo()) {
            // "No" always asks again next time, even with the box ticked.
            plat::Preferences::Get().SetBool("UI.AskUserAbout.DeleteNote", true);
            return;
        }
    }
    Note* note = note_;
    Unlist();
    note_ = nullptr;
    if (deleteNote) {
        if (theKeeper != nullptr) {
            theKeeper->Store().Delete(note);
        }
    } else {
        note->SetVisible(false);
    }
    Hide();
    End(0);
    ClosedWindows().emplace_back(this);
}

bool PinnetWindow::OnDestroy() {
    // Destroyed by other means than Close (the program's end): the object is
    // freed with the closed ones.
    const bool listed = Find(*this);
    Sync();
    if (note_ != nullptr) {
        note_->SetVisible(false);
    }
    Unlist();
    if (listed) {
        ClosedWindows().emplace_back(this);
    }
    return true;
}

bool PinnetWindow::OnCancel() {
    Close(true);
    return true;
}

bool PinnetWindow::OnHideNote() {
    Close(false);
    return true;
}

bool PinnetWindow::OnDeleteNote() {
    Close(true);
    return true;
}

void PinnetWindow::ToggleFold() {
    wkit::Rect window = GetWindowRect();
    if (!folded_) {
        unfoldedWindowHeight_ = window.Height();
        unfoldedTextHeight_ = edit_.GetClientRect().Height();
        folded_ = true;
        changed_ = true;
        Sync();
        edit_.Enable(false);
        edit_.Hide();
        ShowControl(wkit::SizeGripId, false);
        Imp()->SetMinimumClientSize(NarrowestWidth, 0);
        Imp()->SetClientSize(GetClientRect().Width(), 0);
        if (note_ != nullptr) {
            SetText(note_->MenuTitle());
            note_->SetFolded(true);
        }
    } else {
        folded_ = false;
        Imp()->SetMinimumClientSize(std::max(NarrowestWidth, Dialog::MinimumWidth()),
                                    Dialog::MinimumHeight());
        window.bottom = window.top + unfoldedWindowHeight_;
        SetWindowRect(window);
        edit_.Enable(true);
        edit_.Show();
        ShowControl(wkit::SizeGripId, true);
        edit_.SetFocus();
        edit_.SelectNothing();
        Layout();
        if (note_ != nullptr) {
            SetText(note_->Created().Format("%d/%m/%Y %H:%M"));
            note_->SetFolded(false);
        }
    }
    changed_ = true;
    Invalidate();
}

void PinnetWindow::ApplyColour(bool show) {
    if (show && note_ != nullptr) {
        edit_.SetBackColour(note_->GetColour());
    } else {
        edit_.ResetColours();
    }
}

bool PinnetWindow::SetColour(std::int32_t command) {
    if (note_ == nullptr) {
        return true;
    }
    note_->SetColour(BaseColour(command));
    ApplyColour(true);
    changed_ = true;
    Invalidate();
    return true;
}

wkit::Rect PinnetWindow::MinimiseButton() const {
    return Imp() != nullptr ? Imp()->CaptionButtonRect(1) : wkit::Rect{};
}

std::int32_t PinnetWindow::OnNonClientHitTest(wkit::Point point, std::int32_t hit) {
    if (MinimiseButton().Contains(point)) {
        return wkit::HitMinimiseButton;
    }
    if (folded_) {
        // Folded, a note is only sized sideways.
        switch (hit) {
        case wkit::HitTop:
        case wkit::HitBottom:
            return wkit::HitCaption;
        case wkit::HitTopLeft:
        case wkit::HitBottomLeft:
            return wkit::HitLeft;
        case wkit::HitTopRight:
        case wkit::HitBottomRight:
            return wkit::HitRight;
        default:
            break;
        }
    }
    return hit;
}

void PinnetWindow::SetButtonState(std::int32_t state) {
    if (state != buttonState_) {
        buttonState_ = state;
        Invalidate();
    }
}

bool PinnetWindow::OnNonClientMouse(wkit::NonClientEvent event, std::uint32_t, wkit::Point,
                                    std::int32_t hit) {
    const bool onButton = hit == wkit::HitMinimiseButton;
    switch (event) {
    case wkit::NonClientEvent::LeftDown:
        if (!onButton) {
            return false;
        }
        captured_ = true;
        Imp()->CaptureMouse(true);
        SetButtonState(3);
        return true;
    case wkit::NonClientEvent::Move:
        if (captured_) {
            SetButtonState(onButton ? 3 : 1);
            return true;
        }
        SetButtonState(onButton ? 2 : 1);
        return onButton;
    case wkit::NonClientEvent::LeftUp:
        if (!captured_) {
            return false;
        }
        captured_ = false;
        Imp()->CaptureMouse(false);
        SetButtonState(1);
        if (onButton) {
            Close(false);
        }
        return true;
    case wkit::NonClientEvent::Leave:
        if (!captured_) {
            SetButtonState(1);
        }
        return false;
    case wkit::NonClientEvent::LeftDoubleClick:
        if (hit == wkit::HitCaption) {
            ToggleFold();
            return true;
        }
        return false;
    case wkit::NonClientEvent::RightDown:
        return hit == wkit::HitCaption || onButton;
    case wkit::NonClientEvent::RightUp:
        if (hit == wkit::HitCaption) {
            ShowCaptionMenu();
            return true;
        }
        return onButton;
    }
    return false;
}

void PinnetWindow::ShowCaptionMenu() {
    const bool colours = plat::Preferences::Get().GetBool("UI.ShowNoteColours", true);
    static std::shared_ptr<wkit::Menu> plain, coloured;
    std::shared_ptr<wkit::Menu>& loaded = colours ? coloured : plain;
    if (!loaded) {
        if (std::shared_ptr<wkit::Menu> whole =
                wkit::Menu::Load(colours ? MenuCaptionColours : MenuCaptionPlain)) {
            if (whole->Count() > 0) {
                loaded = whole->At(0).submenu;
            }
        }
        if (loaded && colours) {
            for (std::size_t i = 0; i < loaded->Count(); ++i) {
                wkit::MenuItem& item = loaded->At(i);
                if (item.id >= CommandYellow && item.id <= CommandCyan) {
                    item.ownerDrawn = true;
                    item.swatch = BaseColour(item.id).Tint(40);
                }
            }
        }
    }
    if (!loaded) {
        return;
    }
    const std::int32_t command = Backend()->TrackMenu(*loaded);
    if (command != 0) {
        OnCommand(command);
    }
}

bool PinnetWindow::OnNonClientPaint() {
    wkit::RedrawGC gc(*this);
    wkit::ButtonState state = static_cast<wkit::ButtonState>(buttonState_);
    if (!active_ && buttonState_ == 1) {
        state = wkit::ButtonState::Inactive;
    }
    gc.DrawCaptionButton(MinimiseButton(), wkit::CaptionButton::Minimise, state);
    return true;
}

bool PinnetWindow::OnActivate(bool active) {
    active_ = active;
    Invalidate();
    return true;
}
