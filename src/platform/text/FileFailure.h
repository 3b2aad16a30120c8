#pragma once

#include <QString>

namespace text {

// Why a file operation failed, for a message to the user: a short Japanese
// sentence for an errno value. The C library's own texts are English under
// most locales the program runs in.
QString failureReason(int error);
// The same for a file that could not be read: a missing file or a refused
// read is told as such, not as a missing or refused place to save in.
QString readFailureReason(int error);

} // namespace text
