#include "win32/Win32Machine.h"

namespace kv {

Win32Machine::Win32Machine()
    : machine_{registry_, spooler_, services_, files_,   profiles_, versions_, security_,
               modules_,  desktop_, clock_,    threads_, system_,   dialogs_} {}

}  // namespace kv
