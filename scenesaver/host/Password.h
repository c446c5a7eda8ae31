#pragma once

#include <QString>

#include <string>

class CAppProfile;

// Passwords are at most this many characters; the edit boxes stop there.
inline constexpr int kMaxPasswordLength = 51;

// The scrambled form older versions stored: 51 characters of the seeded C-library
// sequence with the password's characters, shifted left by two, spread over
// it from the end, after a leading 'x', cut at the first zero byte. Empty for
// an empty password. Reseeds the calling thread's generator. Characters past
// the 51st are ignored. Most lengths leave no trace of the characters in it,
// so it is only read, never written.
std::string ScramblePassword(const std::string& password);

// The stored form of a new password: a salted one-way hash of its UTF-8
// bytes. Empty for an empty password, and also when no hash could be made,
// which the caller must not mistake for "no password".
std::string MakeStoredPassword(const QString& password);

// Whether the typed password is the one whose stored form is given, be it a
// hash or the old scrambled form.
bool PasswordMatches(const QString& typed, const std::string& storedForm);

// Checks the typed password against the stored form in the profile. A match
// against the old scrambled form rewrites it as a hash, so that it is
// accepted that way once only.
bool CheckStoredPassword(CAppProfile& profile, const QString& typed);

// "Encrypt" in section "Password" of the application profile.
std::string StoredPassword(const CAppProfile& profile);
bool StorePassword(CAppProfile& profile, const std::string& storedForm);

// Whether the system asks ending screen savers for a password:
// "ScreenSaveUsePassword" under Control Panel\Desktop, missing meaning no.
bool SystemRequiresSaverPassword();
