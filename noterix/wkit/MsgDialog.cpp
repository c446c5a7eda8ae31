#include "wkit/MsgDialog.h"

#include "plat/Preferences.h"
#include "wkit/Application.h"
#include "wkit/GC.h"

#include <cctype>

namespace wkit {

namespace {

// Room between the text and the sunken edge around it.
constexpr std::int32_t textMargin = 8;

Window* DefaultParent(Window* parent) {
    if (parent != nullptr) {
        return parent;
    }
    Application* application = Application::Get();
    return application != nullptr ? application->MainWindow() : nullptr;
}

void MoveBy(Dialog& dialog, std::int32_t id, std::int32_t dx, std::int32_t dy) {
    Rect rect = dialog.GetControlRect(id);
    rect.Offset(dx, dy);
    dialog.SetControlRect(id, rect);
}

} // namespace

MessageTemplates& MessageTemplates::Get() {
    static MessageTemplates templates;
    return templates;
}

MsgDialog::MsgDialog(std::uint16_t templateId, std::int32_t textControl, std::int32_t checkBoxId,
                     Window* parent)
    : Dialog(templateId, parent), textControl_(textControl), checkBoxId_(checkBoxId) {}

bool MsgDialog::OnInitDialog() {
    SetText(title_);
    if (WindowImp* placeholder = Control(textControl_)) {
        textArea_ = placeholder->GetWindowRect();
        placeholder->Show(false);
    }
    AttachExtras();
    Fit();
    return true;
}

void MsgDialog::Fit() {
    std::int32_t height = 0;
    if (GC* gc = CreateGC()) {
        gc->SetFont(GetFont());
        Rect measured = textArea_;
        gc->MeasureText(text_, TextWordBreak, measured);
        height = measured.Height();
        ReleaseGC(gc);
    }
    const std::int32_t dx = 2 * textMargin;
    std::int32_t dy = height + 2 * textMargin - textArea_.Height();
    // A text taller than the screen would push the buttons off it: the
    // dialog stops at the work area and the text is cut there.
    if (ApplicationImp* backend = ApplicationImp::Current()) {
        std::int32_t frame = GetWindowRect().Height() - GetClientRect().Height();
        if (frame == 0) {
            // Not shown yet: the window manager's frame is still to come.
            frame = backend->GetMetric(ApplicationImp::CaptionHeight) +
                    2 * backend->GetMetric(ApplicationImp::SizeFrameHeight);
        }
        const std::int32_t room = backend->WorkArea().Height() - GetClientRect().Height() - frame;
        if (room > 0 && dy > room) {
            dy = room;
        }
    }
    PlaceButtons(dx, dy);
    ResizeBy(dx, dy);
}

void MsgDialog::PlaceCheckBox(std::int32_t dx, std::int32_t& dy) {
    if (checkBoxId_ == -1 || Control(checkBoxId_) == nullptr) {
        return;
    }
    if (checkShown_) {
        MoveBy(*this, checkBoxId_, dx / 2, dy);
        return;
    }
    ShowControl(checkBoxId_, false);
    const std::int32_t d = GetControlRect(checkBoxId_).bottom - textArea_.bottom;
    dy -= d;
    textArea_.bottom += d;
}

void MsgDialog::PlaceButtons(std::int32_t dx, std::int32_t& dy) {
    PlaceCheckBox(dx, dy);
}

void MsgDialog::ResizeBy(std::int32_t dx, std::int32_t dy) {
    const Rect client = GetClientRect();
    if (Imp() != nullptr) {
        Imp()->SetClientSize(client.Width() + dx, client.Height() + dy);
    }
    GrowTextArea(dx, dy);
}

void MsgDialog::GrowTextArea(std::int32_t dx, std::int32_t dy) {
    textArea_.right += dx;
    textArea_.bottom += dy;
}

void MsgDialog::AttachExtras() {
    if (checkShown_ && checkBoxId_ != -1) {
        checkBox_.Attach(*this, checkBoxId_);
    }
}

bool MsgDialog::OnPaint() {
    RedrawGC gc(*this);
    gc.SetFont(GetFont());
    gc.DrawEdge(textArea_, EdgeSunkenOuter);
    gc.DrawText(text_, textArea_.Inset(textMargin), TextCentre | TextVCentre | TextWordBreak);
    return true;
}

bool MsgDialog::OnOK() {
    ticked_ = checkShown_ && checkBox_.Imp() != nullptr && checkBox_.GetCheck();
    return Dialog::OnOK();
}

AlertDialog::AlertDialog(Window* parent)
    : MsgDialog(MessageTemplates::Get().alert, MessageTemplates::Get().alertText,
                MessageTemplates::Get().alertCheckBox, parent) {}

void AlertDialog::PlaceButtons(std::int32_t dx, std::int32_t& dy) {
    PlaceCheckBox(dx, dy);
    MoveBy(*this, MessageTemplates::Get().alertOK, dx / 2, dy);
}

QuestionDialog::QuestionDialog(Window* parent, const std::vector<plat::String>& captions)
    : MsgDialog(MessageTemplates::Get().question, MessageTemplates::Get().questionText,
                MessageTemplates::Get().questionCheckBox, parent),
      captions_(captions) {}

void QuestionDialog::AttachExtras() {
    const MessageTemplates& ids = MessageTemplates::Get();
    const Rect first = GetControlRect(ids.questionFirst);
    const Rect second = GetControlRect(ids.questionSecond);
    buttonIds_.clear();
    buttons_.clear();
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        auto button = std::make_unique<Button>();
        bool attached = false;
        if (i < 2) {
            attached = button->Attach(*this, i == 0 ? ids.questionFirst : ids.questionSecond);
        } else {
            const std::int32_t id = ids.questionSecond + static_cast<std::int32_t>(i) - 1 + 100;
            attached = button->CreateIn(*this, id, captions_[i], second);
        }
        if (attached) {
            button->SetCaption(captions_[i]);
            buttonIds_.push_back(button->Id());
            buttons_.push_back(std::move(button));
        }
    }
    // Without a second caption the second template button has no use.
    if (captions_.size() < 2) {
        ShowControl(ids.questionSecond, false);
    }
    // Measure the captions in the dialog's font; the row is centred.
    std::vector<std::int32_t> widths;
    std::int32_t total = 0;
    const std::int32_t gap = second.left - first.right;
    if (GC* gc = CreateGC()) {
        gc->SetFont(GetFont());
        for (const plat::String& caption : captions_) {
            plat::String shown = caption;
            // The mnemonic marker takes no room.
            plat::String plain;
            for (std::size_t i = 0; i < shown.Length(); ++i) {
                if (shown[i] != '&' || shown[i + 1] == '&') {
                    plain.Append(shown[i]);
                }
            }
            widths.push_back(std::max(gc->TextWidth(plain) + 16, first.Width()));
        }
        ReleaseGC(gc);
    }
    widths.resize(buttons_.size(), first.Width());
    for (std::size_t i = 0; i < widths.size(); ++i) {
        total += widths[i] + (i > 0 ? gap : 0);
    }
    if (total > textArea_.Width()) {
        const std::int32_t difference = total - textArea_.Width();
        ResizeBy(difference, 0);
        if (checkShown_ && checkBoxId_ != -1) {
            MoveBy(*this, checkBoxId_, difference / 2, 0);
        }
    }
    std::int32_t x = (GetClientRect().Width() - total) / 2;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->SetWindowRect(Rect{x, second.top, x + widths[i], second.bottom});
        x += widths[i] + gap;
    }
    MsgDialog::AttachExtras();
}

void QuestionDialog::PlaceButtons(std::int32_t dx, std::int32_t& dy) {
    PlaceCheckBox(dx, dy);
    for (std::int32_t id : buttonIds_) {
        MoveBy(*this, id, dx / 2, dy);
    }
}

bool QuestionDialog::OnCommand(std::int32_t id) {
    for (std::size_t i = 0; i < buttonIds_.size(); ++i) {
        if (buttonIds_[i] == id) {
            answer_ = static_cast<std::int32_t>(i);
            return OnOK();
        }
    }
    return MsgDialog::OnCommand(id);
}

bool QuestionDialog::OnCancel() {
    answer_ = -1;
    ticked_ = false;
    return MsgDialog::OnCancel();
}

void Alert(std::uint16_t titleId, std::uint16_t textId, Window* parent, const char* key) {
    plat::String title, text;
    plat::ResourceID{plat::ResourceID::StringKind, titleId}.LoadString(title);
    plat::ResourceID{plat::ResourceID::StringKind, textId}.LoadString(text);
    Alert(title, text, parent, key);
}

void Alert(const plat::String& title, const plat::String& text, Window* parent, const char* key) {
    auto& preferences = plat::Preferences::Get();
    if (key != nullptr && !preferences.GetBool(key, true)) {
        return;
    }
    AlertDialog dialog(DefaultParent(parent));
    dialog.SetTitle(title);
    dialog.SetMessage(text);
    dialog.OfferCheckBox(key != nullptr);
    dialog.DoModal();
    if (key != nullptr) {
        preferences.SetBool(key, dialog.AskAgain());
    }
}

const char* const Question::YesNo[] = {"&Yes", "&No", nullptr};
const char* const Question::OKCancel[] = {"OK", "Cancel", nullptr};

Question::Question(std::uint16_t titleId, std::uint16_t textId, Window* parent) : parent_(parent) {
    plat::ResourceID{plat::ResourceID::StringKind, titleId}.LoadString(title_);
    plat::ResourceID{plat::ResourceID::StringKind, textId}.LoadString(text_);
}

Question::Question(const plat::String& title, const plat::String& text, Window* parent)
    : title_(title), text_(text), parent_(parent) {}

void Question::SetPreferenceKey(const char* key) {
    hasKey_ = key != nullptr;
    key_ = key != nullptr ? key : "";
}

plat::String Question::Reduced(const char* caption) {
    plat::String out;
    for (const char* c = caption; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)) != 0) {
            out.Append(*c);
        }
    }
    return out;
}

std::int32_t Question::Ask(const char* const* captions) {
    std::vector<plat::String> texts;
    for (const char* const* caption = captions; *caption != nullptr; ++caption) {
        texts.emplace_back(*caption);
    }
    auto& preferences = plat::Preferences::Get();
    const plat::String choiceKey = key_ + "_LastChoice";
    if (hasKey_ && !preferences.GetBool(key_.c_str(), true)) {
        plat::String remembered;
        if (preferences.ReadString(choiceKey.c_str(), remembered)) {
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (Reduced(texts[i].c_str()).EqualsNoCase(remembered)) {
                    return static_cast<std::int32_t>(i);
                }
            }
        }
    }
    QuestionDialog dialog(DefaultParent(parent_), texts);
    dialog.SetTitle(title_);
    dialog.SetMessage(text_);
    dialog.OfferCheckBox(hasKey_);
    dialog.DoModal();
    const std::int32_t answer = dialog.Answer();
    if (hasKey_ && answer >= 0 && dialog.CheckBoxTicked()) {
        preferences.SetBool(key_.c_str(), false);
        preferences.SetString(choiceKey.c_str(),
                              Reduced(texts[static_cast<std::size_t>(answer)].c_str()));
    }
    return answer;
}

bool Question::AskYesNo() {
    return Ask(YesNo) == 0;
}

} // namespace wkit
