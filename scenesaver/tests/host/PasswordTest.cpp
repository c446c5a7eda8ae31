#include "HostTestSupport.h"

#include "host/NewPasswordDlg.h"
#include "host/Password.h"
#include "host/PasswordDlg.h"

#include <QLineEdit>

#include <fstream>

namespace {
// The generator seeded with 6143 starts 20099, 7659, 20811, 6925, 30741, ...
// (6143 * 214013 + 2531011 = 0x4E8312C6, bits 16-30 = 0x4E83 = 20099), and
// each value v gives the character v mod 94 + 32: 20099 -> 77 -> 'm',
// 7659 -> 45 -> 'M', 20811 -> 37 -> 'E', 6925 -> 63 -> '_', 30741 -> 3 -> '#'.
// The first generated character lands at the highest position that is not a
// password slot, so the stored form ends with these characters reversed.
const std::string kFillerFor1 = "xMZEB&MT;dyAt_U!0o;]-.B_Q2)W9V^/}udsYXt'+2?F^ #_EMm";
} // namespace

TEST(PasswordScramble, OneCharacterSitsAtPosition51) {
    // k = 51: only position 51 is a slot; 'a' (97) << 2 = 388, low byte 0x84.
    EXPECT_EQ(ScramblePassword("a"), kFillerFor1 + "\x84");
    EXPECT_EQ(ScramblePassword("a").size(), 52u);
}

TEST(PasswordScramble, TwoCharactersSitAtMultiplesOf25) {
    // k = 25: position 51 takes the first generated value ('m'), 50 takes
    // 'a' << 2 = 0x84, 25 takes 'b' (98) << 2 = 392, low byte 0x88.
    const std::string stored = ScramblePassword("ab");
    ASSERT_EQ(stored.size(), 52u);
    EXPECT_EQ(stored.substr(50), "\x84m");
    EXPECT_EQ(static_cast<unsigned char>(stored[25]), 0x88);
    EXPECT_EQ(stored.substr(0, 6), "xZEB&M");
}

TEST(PasswordScramble, ZeroByteCutsTheStoredForm) {
    // '@' (64) << 2 = 256 has a zero low byte: the form ends before position 51.
    EXPECT_EQ(ScramblePassword("@"), kFillerFor1);
    // k = 17 for three characters: slots 51, 34, 17; '@' at 34 cuts there.
    EXPECT_EQ(ScramblePassword("a@b").size(), 34u);
}

TEST(PasswordScramble, FiftyOneCharactersFillEveryPositionInReverse) {
    std::string password;
    std::string expected = "x";
    for (int i = 0; i < 51; ++i) {
        password.push_back(static_cast<char>('A' + i));
    }
    // Position 51 holds the first character, position 1 the last.
    for (int i = 50; i >= 0; --i) {
        expected.push_back(static_cast<char>((('A' + i) << 2) & 0xFF));
    }
    EXPECT_EQ(ScramblePassword(password), expected);
    // Longer input is cut to the 51 characters an edit box takes.
    EXPECT_EQ(ScramblePassword(password + "zzz"), expected);
}

TEST(PasswordScramble, EmptyAndCaseSensitive) {
    EXPECT_EQ(ScramblePassword(""), "");
    EXPECT_NE(ScramblePassword("secret"), ScramblePassword("Secret"));
    EXPECT_EQ(ScramblePassword("secret"), ScramblePassword("secret"));
}

using PasswordDialogs = HostTest;

TEST_F(PasswordDialogs, PromptAcceptsOnlyTheExactPassword) {
    CPasswordDlg dialog(ScramblePassword("Secret"));
    auto* edit = dialog.findChild<QLineEdit*>("1000");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->maxLength(), 51);

    edit->setText("secret");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(edit->text().isEmpty()); // emptied for the next try
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "The password is not correct.");
    EXPECT_EQ(messages[0].second, MessageIcon::Exclamation);

    edit->setText("Secret");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(PasswordDialogs, NewPasswordNeedsAMatchingConfirmation) {
    CNewPasswordDlg dialog(profile);
    auto* password = dialog.findChild<QLineEdit*>("1002");
    auto* confirm = dialog.findChild<QLineEdit*>("1001");
    ASSERT_NE(password, nullptr);
    ASSERT_NE(confirm, nullptr);

    password->setText("one");
    confirm->setText("One");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(StoredPassword(profile), "");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "The new and confirmed passwords do not match.");

    confirm->setText("one");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(StoredPassword(profile), ScramblePassword("one"));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].first, "The password has been successfully changed.");
    EXPECT_EQ(messages[1].second, MessageIcon::Information);
}

TEST_F(PasswordDialogs, EmptyNewPasswordTurnsThePasswordOff) {
    ASSERT_TRUE(StorePassword(profile, ScramblePassword("old")));
    CNewPasswordDlg dialog(profile);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(StoredPassword(profile), "");
}

TEST_F(PasswordDialogs, StoredFormSurvivesTheProfileFile) {
    // Shifted characters give bytes above 0x7F and below 0x20.
    const std::string stored = ScramblePassword("\x7F\x08Zq~");
    ASSERT_TRUE(StorePassword(profile, stored));
    EXPECT_EQ(StoredPassword(profile), stored);
}

TEST_F(PasswordDialogs, SystemSwitchDefaultsToOff) {
    EXPECT_FALSE(SystemRequiresSaverPassword());
    SetSystemUsesPassword(true);
    EXPECT_TRUE(SystemRequiresSaverPassword());
}

TEST_F(PasswordDialogs, NewPasswordThatCannotBeStoredIsNotReportedAsChanged) {
    // A file where the settings folder belongs makes every write fail.
    std::ofstream(home.path().toStdString() + "/Quorvatronics") << "not a folder";
    CNewPasswordDlg dialog(profile);
    dialog.findChild<QLineEdit*>("1002")->setText("pw");
    dialog.findChild<QLineEdit*>("1001")->setText("pw");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "The password could not be saved.");
    EXPECT_EQ(messages[0].second, MessageIcon::Exclamation);
}
