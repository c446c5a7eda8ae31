#include "wkit/recording/Recording_WindowImp.h"

#include "wkit/Dialog.h"
#include "wkit/GC.h"
#include "wkit/recording/Recording_ApplicationImp.h"

#include <algorithm>

namespace wkit {

namespace {

// Dialog units of the fixed recording font.
constexpr std::int32_t baseX = Recording_GCImp::CharWidth;
constexpr std::int32_t baseY = Recording_GCImp::LineHeight;

std::string WithoutMnemonics(const plat::String& text) {
    std::string out;
    for (std::size_t i = 0; i < text.Length(); ++i) {
        if (text[i] != '&') {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace

Rect Recording_GCImp::Measure(const plat::String& text, const Rect& rect, std::uint32_t flags,
                              const DrawState&) {
    // Greedy wrapping by characters of a fixed width, breaking at blanks
    // where it can.
    const std::int32_t perLine =
        (flags & TextWordBreak) != 0 ? std::max(1, rect.Width() / CharWidth) : 1 << 30;
    std::int32_t lines = 0;
    std::int32_t widest = 0;
    std::size_t start = 0;
    const std::size_t length = text.Length();
    while (start < length || lines == 0) {
        std::size_t end = start;
        std::size_t lastBlank = std::string::npos;
        while (end < length && text[end] != '\n' &&
               static_cast<std::int32_t>(end - start) < perLine) {
            if (text[end] == ' ') {
                lastBlank = end;
            }
            ++end;
        }
        if (end < length && text[end] != '\n' && lastBlank != std::string::npos &&
            lastBlank > start) {
            end = lastBlank;
        }
        widest = std::max(widest, static_cast<std::int32_t>(end - start) * CharWidth);
        ++lines;
        start = end < length && (text[end] == '\n' || text[end] == ' ') ? end + 1 : end;
        if (start >= length) {
            break;
        }
    }
    return Rect{rect.left, rect.top, rect.left + widest, rect.top + lines * LineHeight};
}

Recording_WindowImp::Recording_WindowImp(Recording_ApplicationImp& backend, Window* owner)
    : backend_(backend), owner_(owner) {}

Recording_WindowImp::Recording_WindowImp(Recording_WindowImp& dialog, ControlKind kind,
                                         std::int32_t id, const plat::String& text,
                                         const Rect& rect, bool visible)
    : backend_(dialog.backend_), owner_(nullptr), parent_(&dialog), kind_(kind), id_(id),
      exists_(true), visible_(visible), text_(text), rect_(rect) {}

Dialog* Recording_WindowImp::OwnerDialog() const {
    return dynamic_cast<Dialog*>(owner_);
}

bool Recording_WindowImp::CreatePlain(Window* parent) {
    if (exists_) {
        return false;
    }
    exists_ = true;
    rect_ = Rect::FromSize(100, 100, 300, 300);
    if (parent != nullptr) {
        id_ = 1200;
        visible_ = true;
    }
    return true;
}

bool Recording_WindowImp::Build(const DialogTemplate& source) {
    if (exists_) {
        return false;
    }
    exists_ = true;
    ended_ = false;
    visible_ = false;
    templateId_ = source.id;
    text_ = source.caption != nullptr ? source.caption : "";
    rect_ = Rect::FromSize(200, 150, source.width * baseX / 4, source.height * baseY / 8);
    for (std::size_t i = 0; i < source.controlCount; ++i) {
        const ControlTemplate& control = source.controls[i];
        const Rect rect = Rect::FromSize(control.x * baseX / 4, control.y * baseY / 8,
                                         control.width * baseX / 4, control.height * baseY / 8);
        controls_[control.id] = std::make_unique<Recording_WindowImp>(
            *this, control.kind, control.id, control.text != nullptr ? control.text : "", rect,
            (control.style & Hidden) == 0);
    }
    return true;
}

bool Recording_WindowImp::CreateDialog(const DialogTemplate& source, Window*) {
    if (!Build(source)) {
        return false;
    }
    if (Dialog* dialog = OwnerDialog()) {
        dialog->InitDialog();
    }
    return exists_;
}

std::int32_t Recording_WindowImp::RunModal(const DialogTemplate& source, Window*) {
    if (!Build(source)) {
        return -1;
    }
    Dialog* dialog = OwnerDialog();
    if (dialog != nullptr) {
        dialog->InitDialog();
    }
    visible_ = true;
    ShownDialog shown{templateId_,
                      text_.c_str(),
                      owner_ != nullptr ? owner_->DescribeText().c_str() : "",
                      {},
                      false};
    for (const auto& [id, control] : controls_) {
        if (!control->visible_) {
            continue;
        }
        if (control->kind_ == ControlKind::Button || control->kind_ == ControlKind::DefaultButton) {
            shown.buttons.push_back(control->text_.c_str());
        } else if (control->kind_ == ControlKind::CheckBox) {
            shown.checkBoxShown = true;
        }
    }
    backend_.RecordModal(shown);
    ScriptedAnswer answer;
    if (backend_.whileModal) {
        backend_.whileModal();
    }
    if (backend_.NextAnswer(answer)) {
        if (answer.tickCheckBox) {
            for (const auto& [id, control] : controls_) {
                if (control->kind_ == ControlKind::CheckBox && control->visible_) {
                    control->checked_ = true;
                }
            }
        }
        std::int32_t target = answer.id;
        for (const auto& [id, control] : controls_) {
            if (!answer.button.empty() && control->visible_ &&
                WithoutMnemonics(control->text_) == WithoutMnemonics(answer.button.c_str())) {
                target = id;
            }
        }
        if (target != 0) {
            Click(target);
        }
    }
    if (!ended_ && dialog != nullptr && exists_) {
        // Nothing pressed: the user closed it with Escape.
        dialog->ControlClicked(IdCancel);
    }
    const std::int32_t code = ended_ ? endCode_ : IdCancel;
    Destroy();
    return code;
}

void Recording_WindowImp::Click(std::int32_t id) {
    Recording_WindowImp* control = static_cast<Recording_WindowImp*>(Control(id));
    if (control == nullptr || !control->enabled_) {
        return;
    }
    if (control->kind_ == ControlKind::CheckBox) {
        control->checked_ = !control->checked_;
    }
    if (Dialog* dialog = OwnerDialog()) {
        dialog->ControlClicked(id);
    }
}

void Recording_WindowImp::EndDialog(std::int32_t code) {
    ended_ = true;
    endCode_ = code;
    visible_ = false;
}

void Recording_WindowImp::Destroy() {
    if (!exists_) {
        return;
    }
    exists_ = false;
    visible_ = false;
    for (auto& [id, control] : controls_) {
        if (Window* attached = control->owner_) {
            attached->DetachImp();
        }
    }
    if (owner_ != nullptr) {
        owner_->WindowDestroyed();
    }
    controls_.clear();
}

void Recording_WindowImp::SetWindowRect(const Rect& rect) {
    const bool resized = rect.Width() != rect_.Width() || rect.Height() != rect_.Height();
    const bool moved = rect.left != rect_.left || rect.top != rect_.top;
    rect_ = rect;
    if (parent_ == nullptr) {
        SetClientSize(rect.Width(), rect.Height());
    }
    if (owner_ != nullptr && parent_ == nullptr) {
        if (moved) {
            owner_->OnMove(rect_.left, rect_.top);
        }
        if (resized) {
            owner_->OnSize(rect_.Width(), rect_.Height());
        }
    }
}

void Recording_WindowImp::SetClientSize(std::int32_t width, std::int32_t height) {
    // A top-level window keeps to its minimum size as the toolkit would.
    if (parent_ == nullptr) {
        width = std::max(width, minWidth_);
        height = std::max(height, minHeight_);
    }
    const bool changed = width != rect_.Width() || height != rect_.Height();
    rect_.right = rect_.left + width;
    rect_.bottom = rect_.top + height;
    if (changed && owner_ != nullptr && parent_ == nullptr) {
        owner_->OnSize(width, height);
    }
}

Font* Recording_WindowImp::GetFont() {
    if (!font_) {
        font_ = std::make_unique<Font>(std::make_unique<Recording_FontImp>());
    }
    return font_.get();
}

WindowImp* Recording_WindowImp::Control(std::int32_t id) {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.get();
}

WindowImp* Recording_WindowImp::CreateControl(ControlKind kind, std::int32_t id,
                                              const plat::String& text, const Rect& rect) {
    if (controls_.count(id) != 0) {
        return nullptr;
    }
    controls_[id] = std::make_unique<Recording_WindowImp>(*this, kind, id, text, rect, true);
    return controls_[id].get();
}

} // namespace wkit
