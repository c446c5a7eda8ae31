#pragma once

#include <QString>
#include <string>

// Scene text is 8-bit Windows-1252; it becomes Unicode only where it is drawn
// or shown.
QString FromWindows1252(const std::string& text);

// Unicode back to Windows-1252; characters it cannot hold become '?'.
std::string ToWindows1252(const QString& text);
