#pragma once

#include <string>

class CAppProfile;

// Passwords are at most this many characters; the edit boxes stop there.
inline constexpr int kMaxPasswordLength = 51;

// The stored form of a password: 51 characters of the seeded C-library
// sequence with the password's characters, shifted left by two, spread over
// it from the end, after a leading 'x', cut at the first zero byte. Empty for
// an empty password. Reseeds the calling thread's generator. Characters past
// the 51st are ignored.
std::string ScramblePassword(const std::string& password);

// "Encrypt" in section "Password" of the application profile.
std::string StoredPassword(const CAppProfile& profile);
bool StorePassword(CAppProfile& profile, const std::string& storedForm);

// Whether the system asks ending screen savers for a password:
// "ScreenSaveUsePassword" under Control Panel\Desktop, missing meaning no.
bool SystemRequiresSaverPassword();
