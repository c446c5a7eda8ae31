#pragma once

#include <QDialog>

#include <array>

class CAppProfile;
class QCheckBox;
class QRadioButton;

// The settings dialog (resource 133): standard or custom exit settings, the
// five custom exit events and the mute switch. Controls carry their resource
// ids as object names ("1013", ...).
class CSettingsDlg : public QDialog {
public:
    explicit CSettingsDlg(CAppProfile& profile, QWidget* parent = nullptr);

    void accept() override; // OK

private:
    void EnableExitBoxes(bool enable);

    CAppProfile& profile;
    QRadioButton* standard = nullptr;
    QRadioButton* custom = nullptr;
    std::array<QCheckBox*, 5> exitBoxes{};
    QCheckBox* mute = nullptr;
};
