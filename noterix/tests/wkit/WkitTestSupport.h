#pragma once

#include "plat/KeyFilePreferencesImp.h"
#include "plat/Preferences.h"
#include "wkit/Application.h"
#include "wkit/Dialog.h"
#include "wkit/StandardDialogs.h"
#include "wkit/recording/Recording_ApplicationImp.h"
#include "wkit/recording/Recording_WindowImp.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// An application on the recording back-end with a hidden main dialog behind
// the icon, as the notes program has.
class RecordingApp : public wkit::ApplicationDialog {
public:
    RecordingApp() {
        useNotificationArea = true;
        showMainDialogAtStart = false;
        animateMainWindow = false;
        defaultIconCommand = 2000;
        alternateIconCommand = 42001;
        iconMenu.id = 106;
    }
    bool CreateImp() override {
        auto imp = std::make_unique<wkit::Recording_ApplicationImp>();
        recorder = imp.get();
        SetImp(std::move(imp));
        return true;
    }
    wkit::Dialog* CreateMainDialog() override { return new wkit::Dialog(mainTemplate, nullptr); }

    bool OnCommand(std::int32_t id) override {
        commands.push_back(id);
        return wkit::ApplicationDialog::OnCommand(id);
    }

    wkit::Recording_ApplicationImp* recorder = nullptr;
    std::vector<std::int32_t> commands;
    std::uint16_t mainTemplate = 900;
};

// Preferences in memory for one test.
class MemoryPreferences {
public:
    MemoryPreferences() {
        plat::Preferences::Get().Flush();
        plat::Preferences::SetImpFactory(&plat::MemoryPreferencesImp::Make);
        plat::Preferences::SetIdentity("Tallowbrook", "Noterix");
        plat::MemoryPreferencesImp::Storage().clear();
    }
    ~MemoryPreferences() {
        plat::Preferences::Get().Flush();
        plat::Preferences::SetImpFactory(nullptr);
        plat::MemoryPreferencesImp::Storage().clear();
    }
};

// A recording application that has been through start-up (main dialog made,
// icon added), with the library's message templates and a small icon menu.
class RecordingFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    wkit::Recording_ApplicationImp& Recorder() { return *app->recorder; }

    MemoryPreferences preferences;
    std::unique_ptr<RecordingApp> app;
};

// Registers the test templates: the main dialog 900, and menu 106 whose
// first popup is the icon menu.
void RegisterTestTemplates();
