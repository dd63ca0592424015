#include "win32/WineHost.h"

#include "win32/Win32Api.h"

namespace kv {

bool HostIsWine() {
  // Wine's ntdll exports wine_get_version; no Windows ntdll does.
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace kv
