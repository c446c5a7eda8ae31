#include "ExampleDialog.h"

#include "ExampleResources.h"
#include "plat/ErrorStack.h"
#include "wkit/GC.h"
#include "wkit/MsgDialog.h"

#include <cstdio>

namespace {

const wkit::CommandEntry entries[] = {
    wkit::OnCommandEntry<&ExampleDialog::OnAlert>(ControlAlertButton),
    wkit::OnCommandEntry<&ExampleDialog::OnQuestion>(ControlQuestionButton),
    wkit::OnCommandEntry<&ExampleDialog::OnError>(ControlErrorButton),
    wkit::OnNotificationEntry<&ExampleDialog::OnEdited>(wkit::EditChanged, ControlEdit,
                                                        ControlEdit),
    wkit::EndOfCommands(),
};

} // namespace

const wkit::CommandMap ExampleDialog::commandMap = {&wkit::Dialog::commandMap, entries};

ExampleDialog::ExampleDialog() : Dialog(ExampleDialogTemplate, nullptr) {}

bool ExampleDialog::OnInitDialog() {
    edit_.Attach(*this, ControlEdit);
    edit_.ShowScrollBars(2, true);
    edit_.SetBackColour(plat::Colour::Yellow.Tint(20));
    check_.Bind(*this, ControlCheck, "Example.Remembered", true);
    link_.Attach(*this, ControlLink);
    ShowControl(ControlPainted, false); // the dialog paints that area itself
    SetAnchor(ControlIntro, wkit::AnchorStretch, wkit::AnchorFixed);
    SetAnchor(ControlEdit, wkit::AnchorStretch, wkit::AnchorStretch);
    SetAnchor(ControlPainted, wkit::AnchorMove, wkit::AnchorFixed);
    for (std::int32_t id : {ControlCheck, ControlAlertButton, ControlQuestionButton,
                            ControlErrorButton, ControlLink, ControlStatus}) {
        SetAnchor(id, wkit::AnchorFixed, wkit::AnchorMove);
    }
    SetAnchor(1, wkit::AnchorMove, wkit::AnchorMove);
    SetAnchor(2, wkit::AnchorMove, wkit::AnchorMove);
    Status("Ready.");
    return true;
}

bool ExampleDialog::OnPaint() {
    wkit::RedrawGC gc(*this);
    const wkit::Rect area = GetControlRect(ControlPainted);
    gc.DrawFrame(area, true);
    const wkit::Rect caption{area.left + 2, area.top + 2, area.right - 2, area.top + 20};
    gc.DrawCaption(caption, "Note", true);
    // The caption buttons in each of their states, smallest first.
    const wkit::ButtonState states[] = {wkit::ButtonState::Normal, wkit::ButtonState::Hot,
                                        wkit::ButtonState::Pressed, wkit::ButtonState::Inactive};
    std::int32_t x = area.left + 4;
    for (wkit::ButtonState state : states) {
        gc.DrawCaptionButton(wkit::Rect::FromSize(x, area.top + 24, 14, 14),
                             wkit::CaptionButton::Minimise, state);
        gc.DrawCaptionButton(wkit::Rect::FromSize(x, area.top + 40, 14, 14),
                             wkit::CaptionButton::Close, state);
        x += 16;
    }
    gc.SetBrushColour(plat::Colour::Cyan.Tint(40));
    gc.DrawRectangle(wkit::Rect::FromSize(area.left + 4, area.top + 58, 30, 16), 2);
    gc.SetBrushColour(plat::Colour::Magenta.Tint(40));
    gc.DrawCircle(area.left + 50, area.top + 66, 8, 2);
    gc.DrawSizeGrip(wkit::Rect{area.right - 18, area.bottom - 18, area.right - 2, area.bottom - 2});
    return true;
}

bool ExampleDialog::OnOK() {
    // The main dialog only hides: its end would end the program.
    check_.Commit();
    Hide();
    return true;
}

bool ExampleDialog::OnCancel() {
    Hide();
    return true;
}

bool ExampleDialog::OnAlert() {
    wkit::Alert(plat::String("wkit example"),
                plat::String("An alert sizes itself to its text. This one is a little longer, so "
                             "that it wraps onto a second line."),
                this);
    Status("The alert was closed.");
    return true;
}

bool ExampleDialog::OnQuestion() {
    wkit::Question question(plat::String("wkit example"),
                            plat::String("Do you like questions? Tick the box and the answer "
                                         "is remembered."),
                            this);
    question.SetPreferenceKey("Example.AskAboutQuestions");
    Status(question.AskYesNo() ? "You answered Yes." : "You answered No.");
    return true;
}

bool ExampleDialog::OnError() {
    auto& errors = plat::ErrorStateStack::Get();
    errors.Push(plat::ErrCannotOpen, plat::SeverityError,
                "The file 'example.txt' could not be opened (reason: it does not exist).");
    errors.Report();
    errors.Clear();
    return true;
}

bool ExampleDialog::OnEdited(std::int32_t, std::int32_t, std::intptr_t) {
    ++edits_;
    plat::String text;
    text.Format("The text changed %d times; it is %zu bytes with CR LF line ends.", edits_,
                edit_.GetText().Length());
    Status(text.c_str());
    return true;
}

void ExampleDialog::Status(const char* text) {
    SetControlText(ControlStatus, text);
    std::printf("wkit-example: %s\n", text);
    std::fflush(stdout);
}
