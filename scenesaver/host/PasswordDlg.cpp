#include "host/PasswordDlg.h"

#include "host/Password.h"
#include "host/PasswordEdit.h"
#include "host/StringTable.h"
#include "platform/MessageBox.h"

#include <QFormLayout>
#include <QLineEdit>

CPasswordDlg::CPasswordDlg(CAppProfile& profile, QWidget* owner)
    : QDialog(owner), profile(profile) {
    setWindowTitle(QStringLiteral("Password"));
    auto* layout = new QFormLayout(this);
    edit = AddPasswordEdit(*layout, QStringLiteral("&Password"), QStringLiteral("1000"));
    AddOkCancelButtons(*this, *layout);
}

void CPasswordDlg::accept() {
    if (CheckStoredPassword(profile, edit->text())) {
        QDialog::accept();
        return;
    }
    edit->clear();
    AfxMessageBox(LoadStringResource(IDS_BAD_PASSWORD), MessageIcon::Exclamation);
    edit->setFocus();
}
