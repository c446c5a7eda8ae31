#pragma once

#include "plat/ErrorStack.h"
#include "plat/ResourceID.h"
#include "wkit/Dialog.h"

#include <array>

namespace wkit {

// The ids of the two error dialog templates and their controls.
struct ErrorDialogIds {
    plat::ResourceID firstTemplate{plat::ResourceID::DialogKind, 110};
    std::int32_t continueButton = 1001;
    std::int32_t debugButton = 1000;
    std::int32_t abortButton = 1002;
    std::int32_t severityText = 1004;
    std::int32_t messageArea = 1003;
    plat::ResourceID secondTemplate{plat::ResourceID::DialogKind, 111};
    std::int32_t moreInfoButton = 1006;
    std::int32_t backButton = 1008;
};

// Shows one record of an error stack, with buttons to walk to older and
// newer records when the template has them.
class ErrorDialog : public Dialog {
public:
    ErrorDialog(std::uint16_t templateId, const ErrorDialogIds& ids, const plat::ErrorInfo& record,
                Window* parent);

    bool OnInitDialog() override;
    bool OnPaint() override;
    bool OnCommand(std::int32_t id) override;
    plat::String DescribeText() const override { return record_->message; }
    const plat::ErrorInfo& Record() const { return *record_; }

    static const char* SeverityText(std::uint32_t severity);

private:
    void Refresh();

    ErrorDialogIds ids_;
    const plat::ErrorInfo* record_;
    Rect messageArea_;
};

// Installed on the error stack: shows the newest record in the second
// template's dialog.
class wKitErrorReporter : public plat::ErrorReporter {
public:
    explicit wKitErrorReporter(const ErrorDialogIds& ids = ErrorDialogIds{}) : ids_(ids) {}
    void Report(const plat::ErrorStack& errors) override;

private:
    ErrorDialogIds ids_;
};

} // namespace wkit
