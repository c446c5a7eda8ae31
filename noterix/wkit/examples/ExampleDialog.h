#pragma once

#include "wkit/Controls.h"

// The example's main dialog: one of every control, anchored, with a painted
// panel that shows the themed caption parts.
class ExampleDialog : public wkit::Dialog {
public:
    ExampleDialog();

    bool OnInitDialog() override;
    bool OnPaint() override;
    bool OnOK() override;
    bool OnCancel() override;

    bool OnAlert();
    bool OnQuestion();
    bool OnError();
    bool OnEdited(std::int32_t control, std::int32_t code, std::intptr_t extra);

    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;

private:
    void Status(const char* text);

    wkit::EditBox edit_;
    wkit::AutoPrefCheckBox check_;
    wkit::URLButton link_;
    int edits_ = 0;
};
