#pragma once

#include "wkit/Dialog.h"

namespace wkit {

// A control of a dialog, attached to the template's control with its id.
class Control : public Window {
public:
    explicit Control(Window* parent = nullptr) : Window(parent) {}
    // False when the dialog has no such control.
    bool Attach(Dialog& dialog, std::int32_t id);
    Dialog* Owner() const { return dialog_; }
    std::int32_t Id() const { return id_; }

protected:
    Dialog* dialog_ = nullptr;
    std::int32_t id_ = 0;
};

// A multi-line edit box. Its text goes in and out with CR LF line ends, as
// the notes keep it; its changes reach the dialog's command table as
// notifications (EditChanged); a subclass may claim keys through WantsKey.
class EditBox : public Control {
public:
    void SetText(const plat::String& text);
    plat::String GetText() const;
    // No selection, the caret at the start.
    void SelectNothing();
    void RemoveTextLimit();
    void SetBackColour(plat::Colour colour);
    void ResetColours();
    // flags: 1 horizontal, 2 vertical.
    void ShowScrollBars(std::int32_t flags, bool show);
    bool HasScrollBars(std::int32_t flags) const;

    // Line ends for the toolkit (LF) and for the program (CR LF).
    static plat::String ToToolkit(const plat::String& text);
    static plat::String FromToolkit(const plat::String& text);
};

class CheckBox : public Control {
public:
    void SetCheck(bool checked);
    bool GetCheck() const;
};

// A check box that mirrors a boolean preference: read when bound, written
// when the dialog's OK commits.
class AutoPrefCheckBox : public CheckBox, public IAutoPref {
public:
    bool Bind(Dialog& dialog, std::int32_t id, const char* key, bool defaultValue);
    void Commit() override;
    const plat::String& Key() const { return key_; }

private:
    plat::String key_;
};

class Button : public Control {
public:
    void SetCaption(const plat::String& caption) { Window::SetText(caption); }
    // A push button made at run time.
    bool CreateIn(Dialog& dialog, std::int32_t id, const plat::String& caption, const Rect& rect);
};

// A static text that is a link: underlined, blue, a hand cursor, and a click
// opens it in the user's browser or mail program.
class URLButton : public Control {
public:
    bool Attach(Dialog& dialog, std::int32_t id);
    bool OnMouseDown(std::uint32_t flags, Point point) override;
    // The address a text opens: "http://" put in front when it names no
    // scheme. Only web and mail links are opened; false for anything else.
    static bool LinkFor(const plat::String& text, plat::String& link);
};

} // namespace wkit
