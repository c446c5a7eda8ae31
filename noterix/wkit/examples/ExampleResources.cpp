#include "ExampleResources.h"

#include "plat/ResourceID.h"
#include "wkit/StandardDialogs.h"
#include "wkit/Templates.h"

#include <cstring>
#include <iterator>

namespace {

using wkit::ControlKind;

// A yellow note with a folded corner and three lines of writing.
const char* const noteIcon[] = {
    "16 16 5 1",        ". c None",         "y c #FFF06A",      "b c #806000",
    "f c #D8C040",      "l c #5A5A8C",      "................", ".bbbbbbbbbbbb...",
    ".byyyyyyyyyyfb..", ".byyyyyyyyyyffb.", ".byllllllllyyyb.", ".byyyyyyyyyyyyb.",
    ".byllllllyyyyyb.", ".byyyyyyyyyyyyb.", ".byllllllllllyb.", ".byyyyyyyyyyyyb.",
    ".byllllyyyyyyyb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.",
    ".bbbbbbbbbbbbbb.", "................",
};

constexpr wkit::IconTemplate icon{ExampleIcon, noteIcon};

constexpr wkit::MenuTemplateItem menuItems[] = {
    {wkit::MenuTemplateItem::Popup, "Example", 0},
    {wkit::MenuTemplateItem::Item, "Show the &dialog", CommandShowDialog},
    {wkit::MenuTemplateItem::Item, "&Alert...", CommandAlert},
    {wkit::MenuTemplateItem::Item, "&Question...", CommandQuestion},
    {wkit::MenuTemplateItem::Item, "&Report an error...", CommandReportError},
    {wkit::MenuTemplateItem::Separator, nullptr, 0},
    {wkit::MenuTemplateItem::Item, "E&xit", CommandExit},
    {wkit::MenuTemplateItem::End, nullptr, 0},
};

constexpr wkit::MenuTemplate menu{ExampleMenu, menuItems, std::size(menuItems)};

constexpr wkit::ControlTemplate controls[] = {
    {ControlKind::Static, ControlIntro,
     "Every control of the library. Resize the dialog: the controls keep to their edges.", 7, 7,
     226, 18},
    {ControlKind::Edit, ControlEdit, "Type here.\r\nLines end in CR LF for the program.", 7, 28,
     150, 60, wkit::MultiLine | wkit::WantReturn | wkit::VerticalScroll},
    {ControlKind::Placeholder, ControlPainted, "", 163, 28, 70, 60},
    {ControlKind::CheckBox, ControlCheck, "&Remember this check mark", 7, 92, 150, 10},
    {ControlKind::Button, ControlAlertButton, "&Alert...", 7, 106, 52, 14},
    {ControlKind::Button, ControlQuestionButton, "&Question...", 63, 106, 52, 14},
    {ControlKind::Button, ControlErrorButton, "&Error...", 119, 106, 52, 14},
    {ControlKind::Static, ControlLink, "https://example.org/", 7, 126, 120, 10},
    {ControlKind::Static, ControlStatus, "", 7, 140, 226, 10},
    {ControlKind::DefaultButton, 1, "OK", 129, 156, 50, 14},
    {ControlKind::Button, 2, "Cancel", 183, 156, 50, 14},
};

constexpr wkit::DialogTemplate dialog =
    wkit::MakeDialogTemplate(ExampleDialogTemplate, "wkit example", "MS Sans Serif", 8, 240, 177,
                             wkit::SizingBorder, controls);

class ExampleStrings : public plat::ResourceProvider {
public:
    const char* FindString(std::uint16_t id) const override {
        return id == ExampleName ? "wkit example" : nullptr;
    }
    bool FindText(std::uint16_t, const char*&, std::size_t&) const override { return false; }
};

} // namespace

void InstallExampleResources() {
    static const ExampleStrings strings;
    plat::ResourceProvider::Install(&strings);
    wkit::RegisterStandardDialogs();
    wkit::TemplateRegistry::Add(&icon);
    wkit::TemplateRegistry::Add(&menu);
    wkit::TemplateRegistry::Add(&dialog);
}
