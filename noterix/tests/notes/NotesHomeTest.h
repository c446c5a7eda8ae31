#pragma once

#include "TestFolder.h"
#include "plat/ErrorStack.h"
#include "plat/KeyFilePreferencesImp.h"
#include "plat/Preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A test with a home folder of its own (and its documents folder, where the
// notes live), settings in memory and an empty error stack.
class NotesHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::Preferences::Get().Flush();
        plat::Preferences::SetImpFactory(&plat::MemoryPreferencesImp::Make);
        plat::Preferences::SetIdentity("Tallowbrook", "Noterix");
        plat::MemoryPreferencesImp::Storage().clear();
        plat::ErrorStateStack::Get().Clear();
        std::filesystem::create_directories(documents);
    }
    void TearDown() override {
        plat::Preferences::Get().Flush();
        plat::Preferences::SetImpFactory(nullptr);
        plat::ErrorStateStack::Get().Clear();
    }

    std::string NotesPath() const { return documents + "/Noterix.notes"; }
    // The shipped "How to Use" note has been added before.
    static void NotFirstRun() { plat::Preferences::Get().SetBool("System.FirstRun", false); }

    TestFolder home;
    ScopedHome scopedHome{home.Path()};
    std::string documents = home.Join("Documents");
};
