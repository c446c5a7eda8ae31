#pragma once

#include <string>

// Whether a link may be handed to the desktop's opener: only http, https,
// ftp, mailto and file links (scheme compared without regard to case).
bool IsOpenableLink(const std::string& link);

// Opens the link with the user's preferred program (xdg-open, started
// detached, never through a shell). False when the link is not openable or
// the opener could not be started.
bool ShellOpen(const std::string& link);
