#include "wkit/StandardDialogs.h"

#include "wkit/Templates.h"

namespace wkit {

namespace {

constexpr ControlTemplate debugErrorControls[] = {
    {ControlKind::CentredStatic, 1004, "", 7, 7, 234, 10},
    {ControlKind::Placeholder, 1003, "", 7, 20, 234, 70},
    {ControlKind::DefaultButton, 1001, "&Continue", 7, 98, 50, 14},
    {ControlKind::Button, 1000, "&Debug", 61, 98, 50, 14},
    {ControlKind::Button, 1002, "&Abort", 115, 98, 50, 14},
    {ControlKind::Button, 1008, "Back", 169, 98, 34, 14},
    {ControlKind::Button, 1006, "More Info", 207, 98, 34, 14},
};

constexpr ControlTemplate errorControls[] = {
    {ControlKind::Placeholder, 1003, "", 7, 7, 234, 50},
    {ControlKind::DefaultButton, 1001, "OK", 99, 64, 50, 14},
};

constexpr ControlTemplate alertControls[] = {
    {ControlKind::Placeholder, 1011, "", 7, 7, 172, 36},
    {ControlKind::DefaultButton, 1, "OK", 68, 50, 50, 14},
};

constexpr ControlTemplate questionControls[] = {
    {ControlKind::Placeholder, 1012, "", 7, 7, 172, 40},
    {ControlKind::CheckBox, 1032, "Don't ask me about this again", 7, 52, 172, 10},
    {ControlKind::DefaultButton, 1009, "Default", 39, 71, 50, 14},
    {ControlKind::Button, 1010, "Other Choice", 97, 71, 50, 14},
};

constexpr DialogTemplate templates[] = {
    MakeDialogTemplate(110, "Debug Error", "MS Sans Serif", 8, 248, 119, 0, debugErrorControls),
    MakeDialogTemplate(111, "Error", "MS Sans Serif", 8, 248, 85, 0, errorControls),
    MakeDialogTemplate(112, "Dialog", "MS Sans Serif", 8, 186, 71, 0, alertControls),
    MakeDialogTemplate(113, "Dialog", "MS Sans Serif", 8, 186, 92, 0, questionControls),
};

} // namespace

void RegisterStandardDialogs() {
    for (const DialogTemplate& source : templates) {
        TemplateRegistry::Add(&source);
    }
}

} // namespace wkit
