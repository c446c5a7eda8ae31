#include "host/PasswordEdit.h"

#include "host/Password.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

QLineEdit* AddPasswordEdit(QFormLayout& layout, const QString& label, const QString& controlId) {
    auto* edit = new QLineEdit(layout.parentWidget());
    edit->setObjectName(controlId);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(kMaxPasswordLength);
    auto* caption = new QLabel(label, layout.parentWidget());
    caption->setBuddy(edit);
    layout.addRow(caption, edit);
    return edit;
}

void AddOkCancelButtons(QDialog& dialog, QFormLayout& layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addRow(buttons);
}
