#pragma once

#include <string>

// Salted one-way password hashes made by the system's crypt, with the
// strongest method it offers. The hash names its method and salt, so a
// stored hash stays checkable when a later system prefers another method.

// The hash of the phrase, fresh salt each time; empty when the system cannot
// make one.
std::string HashPassphrase(const std::string& phrase);

// Whether the phrase hashes to the stored hash. A stored text that is not a
// hash of the system's matches nothing.
bool PassphraseMatches(const std::string& phrase, const std::string& hash);

// Whether the stored text has the form of such a hash (it names a method).
bool IsPassphraseHash(const std::string& stored);
