#include "host/NewPasswordDlg.h"

#include "host/Password.h"
#include "host/PasswordEdit.h"
#include "host/StringTable.h"
#include "platform/MessageBox.h"

#include <QFormLayout>
#include <QLineEdit>

CNewPasswordDlg::CNewPasswordDlg(CAppProfile& profile, QWidget* owner)
    : QDialog(owner), profile(profile) {
    setWindowTitle(QStringLiteral("New password"));
    auto* layout = new QFormLayout(this);
    password = AddPasswordEdit(*layout, QStringLiteral("&Password"), QStringLiteral("1002"));
    confirm = AddPasswordEdit(*layout, QStringLiteral("&Confirm"), QStringLiteral("1001"));
    AddOkCancelButtons(*this, *layout);
}

void CNewPasswordDlg::accept() {
    const QString typed = password->text();
    if (typed != confirm->text()) {
        AfxMessageBox(LoadStringResource(IDS_PASSWORDS_DIFFER), MessageIcon::Exclamation);
        return;
    }
    // A hash that could not be made must not become the empty form, which
    // would turn the password off.
    const std::string stored = MakeStoredPassword(typed);
    if ((stored.empty() && !typed.isEmpty()) || !StorePassword(profile, stored)) {
        // Never claim a change that did not reach the profile.
        AfxMessageBox("The password could not be saved.", MessageIcon::Exclamation);
        return;
    }
    AfxMessageBox(LoadStringResource(IDS_PASSWORD_CHANGED), MessageIcon::Information);
    QDialog::accept();
}
