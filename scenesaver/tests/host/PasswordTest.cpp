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

namespace {
// Sets the password through the new-password dialog, as a user does.
void SetPasswordThroughDialog(CAppProfile& profile, const QString& password) {
    CNewPasswordDlg dialog(profile);
    dialog.findChild<QLineEdit*>("1002")->setText(password);
    dialog.findChild<QLineEdit*>("1001")->setText(password);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
}

// Types a password into the prompt and presses OK.
bool PromptAccepts(CAppProfile& profile, const QString& typed) {
    CPasswordDlg dialog(profile);
    dialog.findChild<QLineEdit*>("1000")->setText(typed);
    dialog.accept();
    return dialog.result() == QDialog::Accepted;
}

// A text of the given length that is not the password: the password itself
// repeated or cut, and at its own length the password with its last
// character changed.
QString WrongPasswordOfLength(const QString& right, int length) {
    QString wrong;
    while (wrong.size() < length) {
        wrong += right;
    }
    wrong.truncate(length);
    if (wrong == right) {
        wrong[length - 1] = wrong[length - 1] == QChar('#') ? QChar('%') : QChar('#');
    }
    return wrong;
}
} // namespace

TEST_F(PasswordDialogs, PromptAcceptsOnlyTheExactPassword) {
    ASSERT_TRUE(StorePassword(profile, MakeStoredPassword(QStringLiteral("Secret"))));
    CPasswordDlg dialog(profile);
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
    EXPECT_TRUE(PasswordMatches(QStringLiteral("one"), StoredPassword(profile)));
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

TEST_F(PasswordDialogs, NewPasswordsAreStoredAsSaltedHashes) {
    SetPasswordThroughDialog(profile, QStringLiteral("same"));
    const std::string first = StoredPassword(profile);
    SetPasswordThroughDialog(profile, QStringLiteral("same"));
    const std::string second = StoredPassword(profile);
    // Neither the text nor its scrambled form is kept, and each hash has a
    // salt of its own.
    EXPECT_EQ(first.find("same"), std::string::npos);
    EXPECT_TRUE(first.starts_with('$')) << first;
    EXPECT_NE(first, ScramblePassword("same"));
    EXPECT_NE(first, second);
    EXPECT_TRUE(PasswordMatches(QStringLiteral("same"), second));
}

TEST_F(PasswordDialogs, AnOldScrambledFormIsAcceptedOnceAndRewritten) {
    // Twenty-nine characters: in the old form any text of 26 to 50 characters
    // matched it.
    const QString right = QStringLiteral("an old password, thirty chars");
    ASSERT_TRUE(StorePassword(profile, ScramblePassword(right.toStdString())));
    EXPECT_FALSE(PromptAccepts(profile, QStringLiteral("wrong")));
    EXPECT_EQ(StoredPassword(profile), ScramblePassword(right.toStdString()));
    EXPECT_TRUE(PromptAccepts(profile, right));
    const std::string rewritten = StoredPassword(profile);
    EXPECT_TRUE(rewritten.starts_with('$')) << rewritten;
    EXPECT_TRUE(PromptAccepts(profile, right));
    EXPECT_FALSE(PromptAccepts(profile, QStringLiteral("another text of thirty chars.")));
    // A short one, whose old form still depended on its characters.
    ASSERT_TRUE(StorePassword(profile, ScramblePassword("old")));
    EXPECT_TRUE(PromptAccepts(profile, QStringLiteral("old")));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("old"), StoredPassword(profile)));
    EXPECT_NE(StoredPassword(profile), ScramblePassword("old"));
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

TEST_F(PasswordDialogs, OnlyTheRightPasswordUnlocksWhateverItsLength) {
    // Nine characters and thirty characters were the lengths at which any
    // two texts used to match; the third holds characters that differ only
    // in their top bits or lie outside the 8-bit code page.
    const QString rightPasswords[] = {QStringLiteral("nine-char"),
                                      QStringLiteral("correct horse battery staple!!"),
                                      QString::fromUtf8("A\xC3\x81"
                                                        "a\xE5\xAF\x86\xE7\xA0\x81")};
    for (const QString& right : rightPasswords) {
        SCOPED_TRACE(right.toStdString());
        SetPasswordThroughDialog(profile, right);
        for (int length = 1; length <= 60; ++length) {
            const QString wrong = WrongPasswordOfLength(right, length);
            EXPECT_FALSE(PromptAccepts(profile, wrong)) << "'" << wrong.toStdString() << "'";
        }
        EXPECT_TRUE(PromptAccepts(profile, right));
    }
    // Characters that share their low six bits, and characters the code page
    // cannot hold.
    SetPasswordThroughDialog(profile, QString::fromUtf8("AB\xE5\xAF\x86"));
    EXPECT_FALSE(PromptAccepts(profile, QString::fromUtf8("\xC3\x81"
                                                          "B\xE5\xAF\x86")));
    EXPECT_FALSE(PromptAccepts(profile, QString::fromUtf8("AB\xE8\xB0\x9C")));
    EXPECT_FALSE(PromptAccepts(profile, QStringLiteral("AB?")));
    EXPECT_TRUE(PromptAccepts(profile, QString::fromUtf8("AB\xE5\xAF\x86")));
}
