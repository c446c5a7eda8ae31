#include "host/PasswordDlg.h"

#include "host/Password.h"
#include "host/PasswordEdit.h"
#include "host/StringTable.h"
#include "platform/MessageBox.h"
#include "platform/TextCodec.h"

#include <QFormLayout>
#include <QLineEdit>

#include <utility>

CPasswordDlg::CPasswordDlg(std::string stored, QWidget* owner)
    : QDialog(owner), storedForm(std::move(stored)) {
    setWindowTitle(QStringLiteral("Password"));
    auto* layout = new QFormLayout(this);
    edit = AddPasswordEdit(*layout, QStringLiteral("&Password"), QStringLiteral("1000"));
    AddOkCancelButtons(*this, *layout);
}

void CPasswordDlg::accept() {
    if (ScramblePassword(ToWindows1252(edit->text())) == storedForm) {
        QDialog::accept();
        return;
    }
    edit->clear();
    AfxMessageBox(LoadStringResource(IDS_BAD_PASSWORD), MessageIcon::Exclamation);
    edit->setFocus();
}
