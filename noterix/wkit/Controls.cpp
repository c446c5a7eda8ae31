#include "wkit/Controls.h"

#include "plat/Preferences.h"

namespace wkit {

bool Control::Attach(Dialog& dialog, std::int32_t id) {
    WindowImp* imp = dialog.Control(id);
    if (imp == nullptr) {
        return false;
    }
    AttachImp(imp);
    dialog_ = &dialog;
    id_ = id;
    return true;
}

plat::String EditBox::ToToolkit(const plat::String& text) {
    plat::String out;
    out.Reserve(text.Length());
    for (std::size_t i = 0; i < text.Length(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out.Append('\n');
            if (text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.Append(c);
        }
    }
    return out;
}

plat::String EditBox::FromToolkit(const plat::String& text) {
    plat::String out;
    out.Reserve(text.Length() + text.Length() / 16);
    for (std::size_t i = 0; i < text.Length(); ++i) {
        if (text[i] == '\n') {
            out.Append("\r\n");
        } else if (text[i] != '\r') {
            out.Append(text[i]);
        }
    }
    return out;
}

void EditBox::SetText(const plat::String& text) {
    Window::SetText(ToToolkit(text));
}

plat::String EditBox::GetText() const {
    return FromToolkit(Window::GetText());
}

void EditBox::SelectNothing() {
    if (Imp() != nullptr) {
        Imp()->SelectNothing();
    }
}

void EditBox::RemoveTextLimit() {
    if (Imp() != nullptr) {
        Imp()->RemoveTextLimit();
    }
}

void EditBox::SetBackColour(plat::Colour colour) {
    if (dialog_ != nullptr) {
        dialog_->SetControlBackColour(id_, colour);
    }
}

void EditBox::ResetColours() {
    if (dialog_ != nullptr) {
        dialog_->ResetControlBackColour(id_);
        dialog_->ResetControlTextColour(id_);
    }
}

void EditBox::ShowScrollBars(std::int32_t flags, bool show) {
    if (Imp() != nullptr) {
        const std::int32_t now = Imp()->ScrollBars();
        Imp()->SetScrollBars(show ? (now | flags) : (now & ~flags));
    }
}

bool EditBox::HasScrollBars(std::int32_t flags) const {
    return Imp() != nullptr && (Imp()->ScrollBars() & flags) == flags;
}

void CheckBox::SetCheck(bool checked) {
    if (Imp() != nullptr) {
        Imp()->SetCheck(checked);
    }
}

bool CheckBox::GetCheck() const {
    return Imp() != nullptr && Imp()->GetCheck();
}

bool AutoPrefCheckBox::Bind(Dialog& dialog, std::int32_t id, const char* key, bool defaultValue) {
    if (!Attach(dialog, id)) {
        return false;
    }
    key_ = key;
    dialog.RegisterAutoPref(this);
    SetCheck(plat::Preferences::Get().GetBool(key, defaultValue));
    return true;
}

void AutoPrefCheckBox::Commit() {
    plat::Preferences::Get().SetBool(key_.c_str(), GetCheck());
}

bool Button::CreateIn(Dialog& dialog, std::int32_t id, const plat::String& caption,
                      const Rect& rect) {
    if (dialog.Imp() == nullptr) {
        return false;
    }
    WindowImp* imp = dialog.Imp()->CreateControl(ControlKind::Button, id, caption, rect);
    if (imp == nullptr) {
        return false;
    }
    AttachImp(imp);
    dialog_ = &dialog;
    id_ = id;
    return true;
}

bool URLButton::Attach(Dialog& dialog, std::int32_t id) {
    WindowImp* imp = dialog.Control(id);
    if (imp == nullptr ||
        (imp->Kind() != ControlKind::Static && imp->Kind() != ControlKind::CentredStatic)) {
        return false;
    }
    if (!Control::Attach(dialog, id)) {
        return false;
    }
    imp->SetUnderlined(true);
    imp->SetCursorShape(CursorShape::Hand);
    dialog.SetControlTextColour(id, plat::Colour{0, 0, 255});
    return true;
}

bool URLButton::LinkFor(const plat::String& text, plat::String& link) {
    plat::String trimmed = text;
    trimmed.Trim();
    std::size_t at = 0;
    if (trimmed.StartsWithNoCase("mailto:")) {
        link = trimmed;
        return trimmed.Length() > 7;
    }
    if (!trimmed.Find("://", at)) {
        link = plat::String("http://") + trimmed;
        return !trimmed.IsEmpty();
    }
    link = trimmed;
    // A link never starts a program or opens a local file.
    return trimmed.StartsWithNoCase("http://") || trimmed.StartsWithNoCase("https://");
}

bool URLButton::OnMouseDown(std::uint32_t flags, Point) {
    if ((flags & MouseLeft) == 0) {
        return false;
    }
    plat::String link;
    if (LinkFor(Window::GetText(), link)) {
        if (ApplicationImp* backend = ApplicationImp::Current()) {
            backend->OpenUrl(link);
        }
    }
    return true;
}

} // namespace wkit
