#include "platform/PasswordHash.h"

#include <crypt.h>

#include <memory>

namespace {
// crypt_rn keeps all its state in the caller's buffer, so several threads
// may check passwords at once.
std::string Crypt(const std::string& phrase, const char* setting) {
    auto data = std::make_unique<crypt_data>();
    const char* hashed = crypt_rn(phrase.c_str(), setting, data.get(), sizeof(crypt_data));
    // Failures come back as null or as a text starting with '*' that no
    // salt ever starts with.
    if (hashed == nullptr || hashed[0] == '*') {
        return {};
    }
    return hashed;
}
} // namespace

std::string HashPassphrase(const std::string& phrase) {
    // A null prefix with a zero count lets the library pick its preferred
    // method at its default cost, and a null random source makes it draw
    // the salt from the system.
    char setting[CRYPT_GENSALT_OUTPUT_SIZE];
    if (crypt_gensalt_rn(nullptr, 0, nullptr, 0, setting, sizeof setting) == nullptr) {
        return {};
    }
    return Crypt(phrase, setting);
}

bool PassphraseMatches(const std::string& phrase, const std::string& hash) {
    if (!IsPassphraseHash(hash)) {
        return false;
    }
    const std::string again = Crypt(phrase, hash.c_str());
    if (again.empty() || again.size() != hash.size()) {
        return false;
    }
    // Compared in full whatever the first difference, so the time taken
    // says nothing about how much of the hash was right.
    unsigned char difference = 0;
    for (std::size_t i = 0; i < hash.size(); ++i) {
        difference |= static_cast<unsigned char>(again[i] ^ hash[i]);
    }
    return difference == 0;
}

bool IsPassphraseHash(const std::string& stored) {
    return stored.size() > 1 && stored[0] == '$';
}
