#pragma once

#include <QSize>

#include <cstdint>
#include <optional>
#include <string>

// Windows of other programs, named by their X11 window id: the preview's
// parent, the owner of the password dialogs and XScreenSaver's window.

// Reads a window handle as the screen-saver protocol writes it: decimal, or
// hexadecimal with a leading "0x". Empty when it is not a number.
std::optional<std::uint64_t> ParseWindowHandle(const std::string& text);

// The size of the window, or empty when there is no such window or no X11
// display (for instance under the offscreen platform).
std::optional<QSize> ForeignWindowSize(std::uint64_t windowId);

// The root window of the default screen; 0 without an X11 display.
std::uint64_t RootWindowId();

// The window the desktop has activated (_NET_ACTIVE_WINDOW); 0 when none is
// known.
std::uint64_t ActiveWindowId();

class QWidget;
class QWindow;

// Makes a dialog owned by a foreign window: it stays above it and is centred
// on it. A window id of 0 leaves the dialog without owner. The returned
// wrapper of the foreign window belongs to the dialog.
void SetForeignOwner(QWidget& dialog, std::uint64_t ownerId);

// Makes a top-level widget a child window inside a foreign window, at its
// top-left corner.
void EmbedInForeignWindow(QWidget& widget, std::uint64_t parentId);
