#pragma once

#include "platform/Desktop.h"

namespace kv {

// F1: brings the help viewer's window to the front when it is open, else asks
// the shell to open the help file of the medium.
void OpenHelp(Desktop& desktop);

}  // namespace kv
