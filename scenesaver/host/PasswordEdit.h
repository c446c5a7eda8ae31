#pragma once

#include <QString>

class QDialog;
class QFormLayout;
class QLineEdit;

// Adds a labelled edit box with hidden characters that takes at most the
// longest password; the label's mnemonic moves the focus into it.
QLineEdit* AddPasswordEdit(QFormLayout& layout, const QString& label, const QString& controlId);

// Adds the OK and Cancel buttons, wired to the dialog's accept and reject.
void AddOkCancelButtons(QDialog& dialog, QFormLayout& layout);
