#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// The password prompt (resource 103): ends with OK only when the typed
// password scrambles to the stored form.
class CPasswordDlg : public QDialog {
public:
    CPasswordDlg(std::string storedForm, QWidget* owner = nullptr);

    void accept() override; // OK

private:
    std::string storedForm;
    QLineEdit* edit = nullptr;
};
