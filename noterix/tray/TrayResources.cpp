#include "tray/TrayResources.h"

#include "wkit/StandardDialogs.h"
#include "wkit/Templates.h"

#include <iterator>

namespace {

using wkit::ControlKind;
using Item = wkit::MenuTemplateItem;

// A yellow note with a folded corner.
const char* const noteIcon[] = {
    "16 16 4 1",        ". c None",         "y c #FFF06A",      "b c #806000",
    "f c #D8C040",      "................", ".bbbbbbbbbbbb...", ".byyyyyyyyyyfb..",
    ".byyyyyyyyyyffb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.",
    ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.",
    ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.", ".byyyyyyyyyyyyb.", ".bbbbbbbbbbbbbb.",
    "................",
};
constexpr wkit::IconTemplate icon{IconNoterix, noteIcon};

constexpr Item trayItems[] = {
    {Item::Popup, "Tray", 0},
    {Item::Item, "Create &new note...", CommandNewNote},
    {Item::Separator, nullptr, 0},
    {Item::Item, "&Show all", CommandShowAll},
    {Item::Item, "&Hide all", CommandHideAll},
    {Item::Item, "Show", CommandShowPlaceholder},
    {Item::Separator, nullptr, 0},
    {Item::Item, "Sa&ve now", CommandSaveNow},
    {Item::Item, "Save open notes", CommandSaveOpenNotes},
    {Item::Item, "&Options...", CommandOptions},
    {Item::Item, "&About", CommandAbout},
    {Item::Separator, nullptr, 0},
    {Item::Item, "E&xit", CommandExit},
    {Item::End, nullptr, 0},
};
constexpr wkit::MenuTemplate trayMenu{MenuTray, trayItems, std::size(trayItems)};

constexpr Item plainCaptionItems[] = {
    {Item::Popup, "Note", 0},
    {Item::Item, "&Hide note", CommandHideNote},
    {Item::Item, "&Delete note", CommandDeleteNote},
    {Item::End, nullptr, 0},
};
constexpr wkit::MenuTemplate plainCaptionMenu{MenuCaptionPlain, plainCaptionItems,
                                              std::size(plainCaptionItems)};

constexpr Item colourCaptionItems[] = {
    {Item::Popup, "Note", 0},
    {Item::Item, "&Hide note", CommandHideNote},
    {Item::Item, "&Delete note", CommandDeleteNote},
    {Item::Separator, nullptr, 0},
    {Item::Item, "Yellow", CommandYellow},
    {Item::Item, "Green", CommandGreen},
    {Item::Item, "Blue", CommandBlue},
    {Item::Item, "Pink", CommandPink},
    {Item::Item, "Orange", CommandOrange},
    {Item::Item, "Cyan", CommandCyan},
    {Item::Item, "White", CommandWhite},
    {Item::End, nullptr, 0},
};
constexpr wkit::MenuTemplate colourCaptionMenu{MenuCaptionColours, colourCaptionItems,
                                               std::size(colourCaptionItems)};

constexpr wkit::ControlTemplate noteControls[] = {
    {ControlKind::Edit, ControlNoteEdit, "", 0, 0, 50, 30,
     wkit::MultiLine | wkit::WantReturn | wkit::VerticalScroll},
};
constexpr wkit::DialogTemplate noteDialog = wkit::MakeDialogTemplate(
    DialogNote, "Noterix", "Verdana", 8, 50, 30,
    wkit::SizingBorder | wkit::ToolWindow | wkit::OwnCaption | wkit::MinimiseBox, noteControls);

constexpr wkit::ControlTemplate optionControls[] = {
    {ControlKind::CheckBox, ControlAskDelete, "&Prompt for confirmation when deleting notes", 7, 7,
     161, 10},
    {ControlKind::CheckBox, ControlScrollBars, "Show &scroll bars on notes", 7, 22, 161, 10},
    {ControlKind::CheckBox, ControlColours, "Show &coloured notes", 7, 37, 161, 10},
    {ControlKind::CheckBox, ControlOnTop, "Always show notes on &top of other windows", 7, 52, 161,
     10},
    {ControlKind::DefaultButton, 1, "OK", 62, 76, 50, 14},
};
constexpr wkit::DialogTemplate optionsDialog =
    wkit::MakeDialogTemplate(DialogOptions, "Noterix Options", "MS Sans Serif", 8, 175, 97,
                             wkit::NoCloseBox, optionControls);

constexpr wkit::ControlTemplate aboutControls[] = {
    {ControlKind::CentredStatic, ControlVersion, "Noterix vX.XX", 7, 7, 143, 10},
    {ControlKind::CentredStatic, 1040, "Sticky notes that live in the notification area.", 7, 22,
     143, 18},
    {ControlKind::CentredStatic, 1041, "Made by Tallowbrook.", 7, 44, 143, 10},
    {ControlKind::CentredStatic, ControlWebAddress, "https://tallowbrook.example/noterix/", 7, 58,
     143, 10},
    {ControlKind::DefaultButton, 1, "OK", 53, 77, 50, 14},
};
constexpr wkit::DialogTemplate aboutDialog = wkit::MakeDialogTemplate(
    DialogAbout, "About Noterix", "MS Sans Serif", 8, 157, 98, 0, aboutControls);

} // namespace

void InstallTrayResources() {
    wkit::RegisterStandardDialogs();
    wkit::TemplateRegistry::Add(&icon);
    wkit::TemplateRegistry::Add(&trayMenu);
    wkit::TemplateRegistry::Add(&plainCaptionMenu);
    wkit::TemplateRegistry::Add(&colourCaptionMenu);
    wkit::TemplateRegistry::Add(&noteDialog);
    wkit::TemplateRegistry::Add(&optionsDialog);
    wkit::TemplateRegistry::Add(&aboutDialog);
}
