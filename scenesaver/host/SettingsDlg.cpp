#include "host/SettingsDlg.h"

#include "host/StringTable.h"
#include "platform/AppProfile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
struct ExitBox {
    unsigned stringId; // the profile value; the box's id is this minus 32002
    const char* text;
};
constexpr std::array<ExitBox, 5> kExitBoxes = {{
    {IDS_MOUSE_MOVE, "On Mouse &Move"},
    {IDS_BUTTON_DOWN, "On Mouse &Click"},
    {IDS_DOUBLE_CLICK, "On &Double Click"},
    {IDS_KEY_DOWN, "On &Key Pressed"},
    {IDS_ESCAPE, "On Esca&pe"},
}};
constexpr unsigned kStringToControlId = 32002;
} // namespace

CSettingsDlg::CSettingsDlg(CAppProfile& profile, QWidget* parent)
    : QDialog(parent), profile(profile) {
    setWindowTitle(QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(this);

    standard = new QRadioButton(QStringLiteral("&Standard exit settings"), this);
    standard->setObjectName(QStringLiteral("1013"));
    custom = new QRadioButton(QStringLiteral("&Custom exit settings"), this);
    custom->setObjectName(QStringLiteral("1014"));
    layout->addWidget(standard);
    layout->addWidget(custom);

    auto* group = new QGroupBox(QStringLiteral("Exit"), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (size_t i = 0; i < kExitBoxes.size(); ++i) {
        exitBoxes[i] = new QCheckBox(QString::fromLatin1(kExitBoxes[i].text), group);
        exitBoxes[i]->setObjectName(QString::number(kExitBoxes[i].stringId - kStringToControlId));
        groupLayout->addWidget(exitBoxes[i]);
    }
    layout->addWidget(group);

    mute = new QCheckBox(QStringLiteral("&Mute screen saver"), this);
    mute->setObjectName(QStringLiteral("1004"));
    layout->addWidget(mute);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(standard, &QRadioButton::clicked, this, [this] { EnableExitBoxes(false); });
    connect(custom, &QRadioButton::clicked, this, [this] { EnableExitBoxes(true); });

    const std::string& section = LoadStringResource(IDS_SETTINGS);
    const bool isStandard =
        profile.GetProfileInt(section, LoadStringResource(IDS_STANDARD), 1) == 1;
    (isStandard ? standard : custom)->setChecked(true);
    EnableExitBoxes(!isStandard);
    for (size_t i = 0; i < kExitBoxes.size(); ++i) {
        exitBoxes[i]->setChecked(
            profile.GetProfileInt(section, LoadStringResource(kExitBoxes[i].stringId), 0) != 0);
    }
    mute->setChecked(profile.GetProfileInt(section, LoadStringResource(IDS_MUTE), 0) != 0);
}

void CSettingsDlg::EnableExitBoxes(bool enable) {
    for (QCheckBox* box : exitBoxes) {
        box->setEnabled(enable);
    }
}

void CSettingsDlg::accept() {
    const bool anyExit = std::any_of(exitBoxes.begin(), exitBoxes.end(),
                                     [](const QCheckBox* box) { return box->isChecked(); });
    if (!anyExit && !standard->isChecked()) {
        // A custom setting without any exit event would never end.
        standard->setChecked(true);
    }
    const std::string& section = LoadStringResource(IDS_SETTINGS);
    const bool isStandard = standard->isChecked();
    profile.WriteProfileInt(section, LoadStringResource(IDS_STANDARD), isStandard ? 1 : 0);
    for (size_t i = 0; i < kExitBoxes.size(); ++i) {
        const bool on = !isStandard && exitBoxes[i]->isChecked();
        profile.WriteProfileInt(section, LoadStringResource(kExitBoxes[i].stringId), on ? 1 : 0);
    }
    profile.WriteProfileInt(section, LoadStringResource(IDS_MUTE), mute->isChecked() ? 1 : 0);
    QDialog::accept();
}
