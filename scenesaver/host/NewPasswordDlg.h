#pragma once

#include <QDialog>

class CAppProfile;
class QLineEdit;

// The new-password dialog (resource 102): on OK with two equal entries it
// stores the new password's hash; an empty one turns the password off.
class CNewPasswordDlg : public QDialog {
public:
    explicit CNewPasswordDlg(CAppProfile& profile, QWidget* owner = nullptr);

    void accept() override; // OK

private:
    CAppProfile& profile;
    QLineEdit* password = nullptr;
    QLineEdit* confirm = nullptr;
};
