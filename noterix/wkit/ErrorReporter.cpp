#include "wkit/ErrorReporter.h"

#include "wkit/Application.h"
#include "wkit/GC.h"

namespace wkit {

ErrorDialog::ErrorDialog(std::uint16_t templateId, const ErrorDialogIds& ids,
                         const plat::ErrorInfo& record, Window* parent)
    : Dialog(templateId, parent), ids_(ids), record_(&record) {}

const char* ErrorDialog::SeverityText(std::uint32_t severity) {
    switch (severity) {
    case plat::SeverityError:
        return "An error has occurred.";
    case plat::SeverityCritical:
        return "A critical error has occurred.";
    case plat::SeverityTerminal:
        return "A terminal error has occured.  The program must now exit.";
    default:
        return "";
    }
}

bool ErrorDialog::OnInitDialog() {
    SetControlText(ids_.severityText, SeverityText(record_->severity));
    if (WindowImp* area = Control(ids_.messageArea)) {
        messageArea_ = area->GetWindowRect();
        area->Show(false);
    }
    Refresh();
    return true;
}

void ErrorDialog::Refresh() {
    if (ids_.moreInfoButton != -1) {
        EnableControl(ids_.moreInfoButton, record_->Older() != nullptr);
    }
    if (ids_.backButton != -1) {
        EnableControl(ids_.backButton, record_->Newer() != nullptr);
    }
    Invalidate();
}

bool ErrorDialog::OnPaint() {
    RedrawGC gc(*this);
    gc.SetFont(GetFont());
    gc.DrawEdge(messageArea_, EdgeSunkenOuter);
    gc.DrawText(record_->message, messageArea_.Inset(3), TextCentre | TextVCentre | TextWordBreak);
    return true;
}

bool ErrorDialog::OnCommand(std::int32_t id) {
    if (id == ids_.moreInfoButton && record_->Older() != nullptr) {
        record_ = record_->Older();
        Refresh();
        return true;
    }
    if (id == ids_.backButton && record_->Newer() != nullptr) {
        record_ = record_->Newer();
        Refresh();
        return true;
    }
    if (id == ids_.moreInfoButton || id == ids_.backButton) {
        return true;
    }
    End(id);
    return true;
}

void wKitErrorReporter::Report(const plat::ErrorStack& errors) {
    const plat::ErrorInfo* top = errors.Top();
    if (top == nullptr) {
        return;
    }
    Application* application = Application::Get();
    ErrorDialog dialog(ids_.secondTemplate.id, ids_, *top,
                       application != nullptr ? application->MainWindow() : nullptr);
    dialog.DoModal();
}

} // namespace wkit
