#include "host/Password.h"

#include "platform/AppProfile.h"
#include "platform/CrtRandom.h"
#include "platform/PasswordHash.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <array>

std::string ScramblePassword(const std::string& password) {
    const size_t length = std::min<size_t>(password.size(), kMaxPasswordLength);
    if (length == 0) {
        return {};
    }
    std::array<unsigned char, kMaxPasswordLength + 2> buffer{};
    buffer[0] = 'x';
    crt_srand(6143);
    const size_t step = kMaxPasswordLength / length;
    size_t next = 0;
    for (size_t i = kMaxPasswordLength; i >= 1; --i) {
        if (i % step == 0) {
            // Past the last character the multiples take the terminator's
            // value, zero, which cuts the stored form there.
            buffer[i] =
                next < length
                    ? static_cast<unsigned char>(static_cast<unsigned char>(password[next]) << 2)
                    : 0;
            ++next;
        } else {
            buffer[i] = static_cast<unsigned char>(crt_rand() % 94 + 32);
        }
    }
    std::string stored;
    for (unsigned char byte : buffer) {
        if (byte == 0) {
            break;
        }
        stored.push_back(static_cast<char>(byte));
    }
    return stored;
}

std::string MakeStoredPassword(const QString& password) {
    if (password.isEmpty()) {
        return {};
    }
    return HashPassphrase(password.toStdString());
}

bool PasswordMatches(const QString& typed, const std::string& storedForm) {
    if (IsPassphraseHash(storedForm)) {
        return PassphraseMatches(typed.toStdString(), storedForm);
    }
    return !storedForm.empty() && ScramblePassword(ToWindows1252(typed)) == storedForm;
}

bool CheckStoredPassword(CAppProfile& profile, const QString& typed) {
    const std::string stored = StoredPassword(profile);
    if (!PasswordMatches(typed, stored)) {
        return false;
    }
    if (!IsPassphraseHash(stored)) {
        // The password was right; should the rewrite fail, the old form
        // stays and is tried again next time.
        const std::string hashed = MakeStoredPassword(typed);
        if (!hashed.empty()) {
            StorePassword(profile, hashed);
        }
    }
    return true;
}

std::string StoredPassword(const CAppProfile& profile) {
    return profile.GetProfileString("Password", "Encrypt", "");
}

bool StorePassword(CAppProfile& profile, const std::string& storedForm) {
    return profile.WriteProfileString("Password", "Encrypt", storedForm);
}

bool SystemRequiresSaverPassword() {
    return CRegKey("Control Panel\\Desktop").QueryDWORD("ScreenSaveUsePassword").value_or(0) != 0;
}
