#pragma once

#include <QDialog>

class CAppProfile;
class QLineEdit;

// The password prompt (resource 103): ends with OK only when the typed
// password matches the form stored in the profile.
class CPasswordDlg : public QDialog {
public:
    explicit CPasswordDlg(CAppProfile& profile, QWidget* owner = nullptr);

    void accept() override; // OK

private:
    CAppProfile& profile;
    QLineEdit* edit = nullptr;
};
