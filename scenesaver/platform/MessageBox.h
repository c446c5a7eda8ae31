#pragma once

#include <functional>
#include <string>

// The icon a message box shows, as the Windows style bits name them.
enum class MessageIcon { None, Stop, Question, Exclamation, Information };

// Shows a modal message box captioned with the application name and returns
// when the user has closed it. The text is 8-bit Windows-1252, as it is stored
// in scene data and the string table.
void AfxMessageBox(const std::string& text, MessageIcon icon = MessageIcon::None);

// Replaces what AfxMessageBox does, for tests that record the messages shown.
// Returns the previous presenter; an empty function restores the dialog.
using MessagePresenter = std::function<void(const std::string& text, MessageIcon icon)>;
MessagePresenter SetMessagePresenter(MessagePresenter presenter);
