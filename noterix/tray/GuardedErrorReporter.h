#pragma once

#include "wkit/ErrorReporter.h"

// The library's error dialog, shown as the keeper's own alerts are: the
// autosave waits while it is open, so a timer tick under the dialog cannot
// start a save (and perhaps a second error dialog) inside the first.
class GuardedErrorReporter : public wkit::wKitErrorReporter {
public:
    void Report(const plat::ErrorStack& errors) override;
};
