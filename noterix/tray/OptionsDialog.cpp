#include "tray/OptionsDialog.h"

#include "plat/Preferences.h"
#include "tray/PinnetWindow.h"
#include "tray/TrayResources.h"
#include "tray/Version.h"

#include <memory>

namespace {

std::unique_ptr<AboutDialog> about;
bool aboutOpen = false;
// The about box ends from its own button; it is freed at the next opening.
std::unique_ptr<AboutDialog> closedAbout;

} // namespace

OptionsDialog::OptionsDialog() : Dialog(DialogOptions, nullptr) {}

bool OptionsDialog::OnInitDialog() {
    askDelete_.Bind(*this, ControlAskDelete, "UI.AskUserAbout.DeleteNote", true);
    scrollBars_.Bind(*this, ControlScrollBars, "UI.ShowScrollBars", true);
    colours_.Bind(*this, ControlColours, "UI.ShowNoteColours", true);
    onTop_.Bind(*this, ControlOnTop, "UI.NotesAlwaysOnTop", true);
    SetTopmost(true);
    return true;
}

bool OptionsDialog::OnOK() {
    auto& preferences = plat::Preferences::Get();
    const bool scrollBars = preferences.GetBool("UI.ShowScrollBars", true);
    const bool colours = preferences.GetBool("UI.ShowNoteColours", true);
    if (scrollBars_.GetCheck() != scrollBars || colours_.GetCheck() != colours) {
        PinnetWindow::ApplyOptions(scrollBars_.GetCheck(), colours_.GetCheck());
    }
    if (onTop_.GetCheck() != preferences.GetBool("UI.NotesAlwaysOnTop", true)) {
        PinnetWindow::SetAllTopmost(onTop_.GetCheck());
    }
    Hide();
    for (wkit::AutoPrefCheckBox* box : {&askDelete_, &scrollBars_, &colours_, &onTop_}) {
        box->Commit();
    }
    return true;
}

bool OptionsDialog::OnCancel() {
    // Escape leaves the options open and unchanged: only OK closes them.
    return true;
}

AboutDialog::AboutDialog() : Dialog(DialogAbout, nullptr) {}

bool AboutDialog::IsOpen() {
    return aboutOpen;
}

void AboutDialog::Open() {
    if (aboutOpen) {
        return;
    }
    closedAbout.reset();
    about.reset(new AboutDialog);
    if (!about->Create(true)) {
        about.reset();
    }
}

bool AboutDialog::OnInitDialog() {
    plat::String version, text;
    version.Format("%d.%.2d", NoterixVersionMajor, NoterixVersionMinor);
    text.Format("Noterix v%s", version.c_str());
    SetControlText(ControlVersion, text);
    link_.Attach(*this, ControlWebAddress);
    aboutOpen = true;
    SetTopmost(true);
    return true;
}

bool AboutDialog::OnOK() {
    aboutOpen = false;
    End(wkit::IdOK);
    closedAbout = std::move(about);
    return true;
}
