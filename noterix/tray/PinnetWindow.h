#pragma once

#include "notes/Note.h"
#include "wkit/Controls.h"

#include <memory>
#include <vector>

class NotesKeeper;
class PinnetWindow;

// The note's text: Escape hides the note instead of cancelling the window.
class NoteEditBox : public wkit::EditBox {
public:
    explicit NoteEditBox(PinnetWindow& window) : window_(window) {}
    bool OnKeyDown(std::int32_t key, std::uint32_t flags) override; // slot 21
    bool WantsKey(std::int32_t key) override;                       // slot 24

private:
    PinnetWindow& window_;
};

// One open note: a small tool window with its own caption strip, the note's
// colour and its text.
class PinnetWindow : public wkit::Dialog {
public:
    ~PinnetWindow() override;

    bool OnDestroy() override;                                     // slot 10
    bool OnMove(std::int32_t x, std::int32_t y) override;          // slot 12
    bool OnSize(std::int32_t width, std::int32_t height) override; // slot 14
    bool OnCancel() override;                                      // slot 31: the close box
    bool OnInitDialog() override;                                  // slot 32

    std::int32_t OnNonClientHitTest(wkit::Point point, std::int32_t hit) override;
    bool OnNonClientMouse(wkit::NonClientEvent event, std::uint32_t flags, wkit::Point point,
                          std::int32_t hit) override;
    bool OnNonClientPaint() override;
    bool OnActivate(bool active) override;

    // The window of the note, made and shown when there is none yet.
    static PinnetWindow* Open(Note& note, bool animate);
    static PinnetWindow* Find(const Note& note);
    static bool Find(const PinnetWindow& window);
    static std::size_t Count();
    static Note* NoteAt(std::size_t index);
    static void CopyAllEdits();
    static void HideAll();
    static void ApplyOptions(bool scrollBars, bool colours);
    static void SetAllTopmost(bool topmost);
    // The keeper whose store a deleted note leaves and whose autosave waits
    // while a note asks its question; windows that are gone are freed here too.
    static void SetKeeper(NotesKeeper* keeper);
    static NotesKeeper* Keeper();
    static void FreeClosed();

    void Sync();
    // Hides the note (false) or deletes it after asking (true).
    void Close(bool deleteNote);
    void ToggleFold();
    void ApplyColour(bool show);
    bool SetColour(std::int32_t command);
    bool OnEdited(std::int32_t control, std::int32_t code, std::intptr_t extra);
    bool OnHideNote();
    bool OnDeleteNote();

    Note* GetNote() const { return note_; }
    bool IsFolded() const { return folded_; }
    bool HasChanges() const { return changed_; }
    NoteEditBox& Edit() { return edit_; }
    wkit::Rect MinimiseButton() const;

    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;

    // The base colour of a colour command (white for any other id).
    static plat::Colour BaseColour(std::int32_t command);
    static constexpr std::int32_t NarrowestWidth = 100;

private:
    explicit PinnetWindow(Note& note, bool animate);
    void Place();
    void ShowText();
    void SetButtonState(std::int32_t state);
    void ShowCaptionMenu();
    void Unlist();

    NoteEditBox edit_;
    Note* note_;
    plat::String shownText_; // the edit box's text as shown, before any edit
    bool changed_ = false;
    bool active_ = false;
    std::int32_t buttonState_ = 1; // 1 normal, 2 hot, 3 pressed
    bool captured_ = false;
    bool animate_;
    bool folded_ = false;
    std::int32_t unfoldedWindowHeight_ = 0;
    std::int32_t unfoldedTextHeight_ = 0;
};
