// The library's example: an icon in the notification area whose menu opens a
// dialog with every control, message dialogs and the error reporter.

#include "ExampleDialog.h"
#include "ExampleResources.h"
#include "plat/ErrorStack.h"
#include "plat/Preferences.h"
#include "wkit/Application.h"
#include "wkit/CommandLine.h"
#include "wkit/ErrorReporter.h"

#include <cstdio>

namespace {

class ExampleApp : public wkit::ApplicationDialog {
public:
    ExampleApp() {
        InstallExampleResources();
        plat::Preferences::SetIdentity("Tallowbrook", "WkitExample");
        plat::ErrorStateStack::Get().SetReporter(new wkit::wKitErrorReporter());
        name.id = ExampleName;
        largeIcon.id = smallIcon.id = ExampleIcon;
        iconMenu.id = ExampleMenu;
        useNotificationArea = true;
        showMainDialogAtStart = false;
        animateMainWindow = false;
        defaultIconCommand = CommandShowDialog;
        alternateIconCommand = CommandAlert;
    }

    wkit::Dialog* CreateMainDialog() override { return new ExampleDialog; }

    bool OnStart() override {
        Say("the icon is in the notification area");
        return true;
    }
    void OnQuit() override { Say("ending"); }

    bool ShowDialog() {
        Say("showing the dialog");
        MainDialog()->Activate();
        return true;
    }
    bool Alert() { return static_cast<ExampleDialog*>(MainDialog())->OnAlert(); }
    bool Question() { return static_cast<ExampleDialog*>(MainDialog())->OnQuestion(); }
    bool ReportError() { return static_cast<ExampleDialog*>(MainDialog())->OnError(); }
    bool Exit() {
        Say("exit chosen");
        MainDialog()->Destroy();
        return true;
    }

    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;

private:
    static void Say(const char* text) {
        std::printf("wkit-example: %s\n", text);
        std::fflush(stdout);
    }
};

const wkit::CommandEntry entries[] = {
    wkit::OnCommandEntry<&ExampleApp::ShowDialog>(CommandShowDialog),
    wkit::OnCommandEntry<&ExampleApp::Alert>(CommandAlert),
    wkit::OnCommandEntry<&ExampleApp::Question>(CommandQuestion),
    wkit::OnCommandEntry<&ExampleApp::ReportError>(CommandReportError),
    wkit::OnCommandEntry<&ExampleApp::Exit>(CommandExit),
    wkit::EndOfCommands(),
};

const wkit::CommandMap ExampleApp::commandMap = {&wkit::ApplicationDialog::commandMap, entries};

wkit::Application* MakeExample() {
    return new ExampleApp;
}

} // namespace

int main(int argc, char** argv) {
    const wkit::ProgramInfo info{"wkit-example", WKIT_EXAMPLE_VERSION,
                                 "The GUI library's example: a dialog with every control and an "
                                 "icon with a menu.",
                                 nullptr};
    if (const int status = wkit::CheckCommandLine(argc, argv, info, stdout, stderr); status >= 0) {
        return status;
    }
    return wkit::Main(argc, argv, &MakeExample);
}
