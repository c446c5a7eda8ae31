#include "HostTestSupport.h"

#include "host/SettingsDlg.h"

#include <QCheckBox>
#include <QRadioButton>

#include <map>

namespace {
const std::map<std::string, const char*> kExitBoxIds = {
    {"MouseMove", "1006"}, {"ButtonDown", "1007"}, {"DoubleClick", "1008"},
    {"KeyDown", "1009"},   {"Escape", "1010"},
};

template <typename T>
T* Control(QDialog& dialog, const char* id) {
    auto* control = dialog.findChild<T*>(id);
    EXPECT_NE(control, nullptr) << id;
    return control;
}

class SettingsDialog : public HostTest {
protected:
    unsigned Value(const char* name, unsigned missing = 99) {
        return profile.GetProfileInt("Settings", name, missing);
    }
    void ExpectExitBoxesEnabled(CSettingsDlg& dialog, bool enabled) {
        for (const auto& [name, id] : kExitBoxIds) {
            EXPECT_EQ(Control<QCheckBox>(dialog, id)->isEnabled(), enabled) << name;
        }
    }
};
} // namespace

TEST_F(SettingsDialog, OpensWithTheDefaultsAndTheMnemonics) {
    CSettingsDlg dialog(profile);
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_TRUE(Control<QRadioButton>(dialog, "1013")->isChecked());
    EXPECT_EQ(Control<QRadioButton>(dialog, "1013")->text(), "&Standard exit settings");
    EXPECT_EQ(Control<QRadioButton>(dialog, "1014")->text(), "&Custom exit settings");
    EXPECT_EQ(Control<QCheckBox>(dialog, "1006")->text(), "On Mouse &Move");
    EXPECT_EQ(Control<QCheckBox>(dialog, "1007")->text(), "On Mouse &Click");
    EXPECT_EQ(Control<QCheckBox>(dialog, "1008")->text(), "On &Double Click");
    EXPECT_EQ(Control<QCheckBox>(dialog, "1009")->text(), "On &Key Pressed");
    EXPECT_EQ(Control<QCheckBox>(dialog, "1010")->text(), "On Esca&pe");
    EXPECT_EQ(Control<QCheckBox>(dialog, "1004")->text(), "&Mute screen saver");
    EXPECT_FALSE(Control<QCheckBox>(dialog, "1004")->isChecked());
    ExpectExitBoxesEnabled(dialog, false);
    for (const auto& [name, id] : kExitBoxIds) {
        EXPECT_FALSE(Control<QCheckBox>(dialog, id)->isChecked()) << name;
    }
}

TEST_F(SettingsDialog, RadioButtonsSwitchTheExitBoxes) {
    CSettingsDlg dialog(profile);
    Control<QRadioButton>(dialog, "1014")->click();
    ExpectExitBoxesEnabled(dialog, true);
    Control<QRadioButton>(dialog, "1013")->click();
    ExpectExitBoxesEnabled(dialog, false);
}

TEST_F(SettingsDialog, StoredCustomSettingsAreShown) {
    profile.WriteProfileInt("Settings", "Standard", 0);
    profile.WriteProfileInt("Settings", "DoubleClick", 1);
    profile.WriteProfileInt("Settings", "Mute", 1);
    CSettingsDlg dialog(profile);
    EXPECT_TRUE(Control<QRadioButton>(dialog, "1014")->isChecked());
    ExpectExitBoxesEnabled(dialog, true);
    EXPECT_TRUE(Control<QCheckBox>(dialog, "1008")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(dialog, "1006")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(dialog, "1004")->isChecked());
}

TEST_F(SettingsDialog, CustomWithoutAnyExitStoresStandard) {
    CSettingsDlg dialog(profile);
    Control<QRadioButton>(dialog, "1014")->click();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Value("Standard"), 1u);
    for (const auto& [name, id] : kExitBoxIds) {
        EXPECT_EQ(Value(name.c_str()), 0u) << name;
    }
    EXPECT_EQ(Value("Mute"), 0u);
}

TEST_F(SettingsDialog, CustomEscapeOnlyStoresEachValue) {
    CSettingsDlg dialog(profile);
    Control<QRadioButton>(dialog, "1014")->click();
    Control<QCheckBox>(dialog, "1010")->setChecked(true);
    Control<QCheckBox>(dialog, "1004")->setChecked(true);
    dialog.accept();
    EXPECT_EQ(Value("Standard"), 0u);
    EXPECT_EQ(Value("Escape"), 1u);
    for (const char* name : {"MouseMove", "ButtonDown", "DoubleClick", "KeyDown"}) {
        EXPECT_EQ(Value(name), 0u) << name;
    }
    EXPECT_EQ(Value("Mute"), 1u);
}

TEST_F(SettingsDialog, StandardClearsTheCustomValues) {
    profile.WriteProfileInt("Settings", "Standard", 0);
    profile.WriteProfileInt("Settings", "KeyDown", 1);
    CSettingsDlg dialog(profile);
    Control<QRadioButton>(dialog, "1013")->click();
    dialog.accept();
    EXPECT_EQ(Value("Standard"), 1u);
    EXPECT_EQ(Value("KeyDown"), 0u);
}

TEST_F(SettingsDialog, CancelWritesNothing) {
    CSettingsDlg dialog(profile);
    Control<QRadioButton>(dialog, "1014")->click();
    Control<QCheckBox>(dialog, "1006")->setChecked(true);
    Control<QCheckBox>(dialog, "1004")->setChecked(true);
    dialog.reject();
    EXPECT_EQ(Value("Standard"), 99u);
    EXPECT_EQ(Value("MouseMove"), 99u);
    EXPECT_EQ(Value("Mute"), 99u);
}

TEST_F(SettingsDialog, RenamedExecutableHasItsOwnSettings) {
    CAppProfile renamed("Quorvatronics\\Screen Saver", "Renamed Saver");
    renamed.WriteProfileInt("Settings", "Standard", 0);
    renamed.WriteProfileInt("Settings", "Escape", 1);
    CSettingsDlg dialog(profile);
    EXPECT_TRUE(Control<QRadioButton>(dialog, "1013")->isChecked());
}
