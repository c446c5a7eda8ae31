#pragma once

#include <functional>
#include <string>

// The icon a message box shows, as the Windows style bits name them.
enum class MessageIcon { None, Stop, Question, Exclamation, Information };

// Shows a modal message box captioned with the application name and returns
// when the user has closed it. The text is 8-bit Windows-1252, as it is stored
// in scene data and the string table.
void AfxMessageBox(const std::string& text, MessageIcon icon = MessageIcon::None);

class Event;

// For the calling worker thread: its message boxes are queued to the GUI
// thread and waited for together with the stop event, so that a worker never
// holds up a GUI thread that is waiting for it to stop. A box still queued
// when the event is set is not shown. Null returns to the plain behaviour.
void SetMessageBoxStopEvent(Event* stop);

// Replaces what AfxMessageBox does, for tests that record the messages shown.
// Returns the previous presenter; an empty function restores the dialog.
using MessagePresenter = std::function<void(const std::string& text, MessageIcon icon)>;
MessagePresenter SetMessagePresenter(MessagePresenter presenter);
