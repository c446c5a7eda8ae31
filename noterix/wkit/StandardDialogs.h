#pragma once

namespace wkit {

// The message and error dialog templates (alert 112, question 113, error 110
// and 111), for programs that use the library's own layout of them.
void RegisterStandardDialogs();

} // namespace wkit
