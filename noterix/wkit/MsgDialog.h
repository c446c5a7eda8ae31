#pragma once

#include "wkit/Controls.h"

#include <vector>

namespace wkit {

// A modal dialog that shows a title and a word-wrapped text and sizes itself
// to the text. The text control of the template is only a placeholder for
// the area the dialog paints the text in.
class MsgDialog : public Dialog {
public:
    MsgDialog(std::uint16_t templateId, std::int32_t textControl, std::int32_t checkBoxId,
              Window* parent);

    void SetTitle(const plat::String& title) { title_ = title; }
    void SetMessage(const plat::String& text) { text_ = text; }
    const plat::String& Message() const { return text_; }
    const Rect& TextArea() const { return textArea_; }

    bool OnInitDialog() override;
    bool OnPaint() override;                                      // slot 11
    virtual void PlaceButtons(std::int32_t dx, std::int32_t& dy); // slot 33
    virtual void ResizeBy(std::int32_t dx, std::int32_t dy);      // slot 34
    virtual void AttachExtras();                                  // slot 35
    virtual void GrowTextArea(std::int32_t dx, std::int32_t dy);  // slot 36
    plat::String DescribeText() const override { return text_; }

    // Whether the "Don't ask me about this again" box is offered, and its state.
    void OfferCheckBox(bool offer) { checkShown_ = offer; }
    bool CheckBoxTicked() const { return ticked_; }

protected:
    // The check box follows the text, or gives its place to the text when
    // it is not offered.
    void PlaceCheckBox(std::int32_t dx, std::int32_t& dy);
    void Fit();
    bool OnOK() override;

    plat::String title_;
    plat::String text_;
    std::int32_t textControl_;
    std::int32_t checkBoxId_;
    Rect textArea_;
    CheckBox checkBox_;
    bool checkShown_ = false;
    bool ticked_ = false;
};

class AlertDialog : public MsgDialog {
public:
    explicit AlertDialog(Window* parent);
    void PlaceButtons(std::int32_t dx, std::int32_t& dy) override;
    bool AskAgain() const { return !ticked_; }
};

class QuestionDialog : public MsgDialog {
public:
    QuestionDialog(Window* parent, const std::vector<plat::String>& captions);
    void AttachExtras() override;
    void PlaceButtons(std::int32_t dx, std::int32_t& dy) override;
    bool OnCommand(std::int32_t id) override;
    bool OnCancel() override;
    // The index of the button that ended the dialog, -1 when none did.
    std::int32_t Answer() const { return answer_; }
    const std::vector<std::int32_t>& ButtonIds() const { return buttonIds_; }

private:
    std::vector<plat::String> captions_;
    std::vector<std::int32_t> buttonIds_;
    std::vector<std::unique_ptr<Button>> buttons_;
    std::int32_t answer_ = -1;
};

// The program's two message templates, registered once at start-up.
struct MessageTemplates {
    std::uint16_t alert = 112;
    std::int32_t alertText = 1011;
    std::int32_t alertOK = 1;
    std::int32_t alertCheckBox = -1;
    std::uint16_t question = 113;
    std::int32_t questionText = 1012;
    std::int32_t questionFirst = 1009;
    std::int32_t questionSecond = 1010;
    std::int32_t questionCheckBox = 1032;

    static MessageTemplates& Get();
};

// Shows an alert over the parent (the application's main dialog when none is
// given). With a preference key: nothing is shown while the key is false,
// and afterwards the key records whether to show it again.
void Alert(std::uint16_t titleId, std::uint16_t textId, Window* parent = nullptr,
           const char* key = nullptr);
void Alert(const plat::String& title, const plat::String& text, Window* parent = nullptr,
           const char* key = nullptr);

// A question with a row of buttons. With a preference key it offers "Don't
// ask me about this again" and remembers the answer given with it ticked.
class Question {
public:
    Question(std::uint16_t titleId, std::uint16_t textId, Window* parent = nullptr);
    Question(const plat::String& title, const plat::String& text, Window* parent = nullptr);

    void SetPreferenceKey(const char* key);
    // captions: null-terminated. The index of the chosen button; -1 when the
    // dialog was closed without one.
    std::int32_t Ask(const char* const* captions);
    bool AskYesNo();

    static const char* const YesNo[];
    static const char* const OKCancel[];
    // "&Yes" becomes "Yes": the letters and digits of a caption.
    static plat::String Reduced(const char* caption);

private:
    plat::String title_;
    plat::String text_;
    Window* parent_;
    plat::String key_;
    bool hasKey_ = false;
};

} // namespace wkit
