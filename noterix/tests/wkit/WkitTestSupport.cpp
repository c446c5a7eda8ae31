#include "WkitTestSupport.h"

#include "wkit/Templates.h"

#include <iterator>

namespace {

constexpr wkit::ControlTemplate mainControls[] = {
    {wkit::ControlKind::DefaultButton, 1, "OK", 60, 70, 50, 14},
};

constexpr wkit::DialogTemplate mainDialog =
    wkit::MakeDialogTemplate(900, "Main", "MS Sans Serif", 8, 175, 97, 0, mainControls);

constexpr wkit::MenuTemplateItem iconMenuItems[] = {
    {wkit::MenuTemplateItem::Popup, "Tray", 0},
    {wkit::MenuTemplateItem::Item, "Create &new note...", 2000},
    {wkit::MenuTemplateItem::Separator, nullptr, 0},
    {wkit::MenuTemplateItem::Item, "&Show all", 32780},
    {wkit::MenuTemplateItem::Item, "E&xit", 101},
    {wkit::MenuTemplateItem::End, nullptr, 0},
};

constexpr wkit::MenuTemplate iconMenu{106, iconMenuItems, std::size(iconMenuItems)};

} // namespace

void RegisterTestTemplates() {
    wkit::RegisterStandardDialogs();
    wkit::TemplateRegistry::Add(&mainDialog);
    wkit::TemplateRegistry::Add(&iconMenu);
}

void RecordingFixture::SetUp() {
    RegisterTestTemplates();
    app = std::make_unique<RecordingApp>();
    ASSERT_TRUE(app->CreateImp());
    ASSERT_TRUE(app->Initialise());
}

void RecordingFixture::TearDown() {
    app->RunEndSequence();
    app.reset();
}
