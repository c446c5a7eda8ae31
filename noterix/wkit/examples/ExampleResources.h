#pragma once

#include <cstdint>

// Ids of the example's resources and commands.
enum ExampleId : std::int32_t {
    ExampleName = 100,
    ExampleIcon = 102,
    ExampleMenu = 106,
    ExampleDialogTemplate = 130,

    CommandShowDialog = 3001,
    CommandAlert = 3002,
    CommandQuestion = 3003,
    CommandReportError = 3004,
    CommandToggleCheck = 3005,
    CommandExit = 101,

    ControlIntro = 1100,
    ControlEdit = 1101,
    ControlCheck = 1102,
    ControlAlertButton = 1103,
    ControlQuestionButton = 1104,
    ControlErrorButton = 1105,
    ControlLink = 1106,
    ControlPainted = 1107,
    ControlStatus = 1108,
};

void InstallExampleResources();
