#pragma once

#include "plat/KeyFilePreferencesImp.h"

namespace plat {

// Preferences in $XDG_CONFIG_HOME/<company>/<product>.conf (~/.config when
// the variable is unset), rewritten whole and atomically on every change.
class Linux_PreferencesImp : public KeyFilePreferencesImp {
public:
    using KeyFilePreferencesImp::KeyFilePreferencesImp;
    // The settings file for the current identity; false without a product.
    static bool SettingsPath(String& out);

protected:
    bool Load(KeyFile& file) override;
    bool Save(const KeyFile& file) override;
};

} // namespace plat
