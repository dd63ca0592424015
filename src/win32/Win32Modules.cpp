#include "win32/Win32Modules.h"

#include "win32/Win32Api.h"

#include <string>

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

HMODULE ToModule(ModuleHandle module) {
  return reinterpret_cast<HMODULE>(module);
}

// A 32-bit value as itself, a buffer as its address.
uintptr_t Word(const ProcArg& arg) {
  if (const auto* value = std::get_if<int32_t>(&arg)) {
    return static_cast<uintptr_t>(static_cast<uint32_t>(*value));
  }
  return reinterpret_cast<uintptr_t>(std::get<std::span<uint8_t>>(arg).data());
}

}  // namespace

uint32_t Win32Modules::Load(std::string_view name, ModuleHandle* module) {
  HMODULE loaded = ::LoadLibraryA(std::string(name).c_str());
  if (loaded == nullptr) return LastErrorOr(kErrorModNotFound);
  *module = reinterpret_cast<ModuleHandle>(loaded);
  return kErrorSuccess;
}

uint32_t Win32Modules::Lookup(ModuleHandle module, std::string_view procName, ProcHandle* proc) {
  FARPROC found = ::GetProcAddress(ToModule(module), std::string(procName).c_str());
  if (found == nullptr) return LastErrorOr(kErrorProcNotFound);
  *proc = reinterpret_cast<ProcHandle>(found);
  return kErrorSuccess;
}

int32_t Win32Modules::Call(ProcHandle proc, std::span<const ProcArg> args) {
  using W = uintptr_t;
  switch (args.size()) {
    case 0:
      return reinterpret_cast<int32_t(__stdcall*)()>(proc)();
    case 1:
      return reinterpret_cast<int32_t(__stdcall*)(W)>(proc)(Word(args[0]));
    case 2:
      return reinterpret_cast<int32_t(__stdcall*)(W, W)>(proc)(Word(args[0]), Word(args[1]));
    case 3:
      return reinterpret_cast<int32_t(__stdcall*)(W, W, W)>(proc)(Word(args[0]), Word(args[1]),
                                                                  Word(args[2]));
    case 4:
      return reinterpret_cast<int32_t(__stdcall*)(W, W, W, W)>(proc)(Word(args[0]), Word(args[1]),
                                                                     Word(args[2]), Word(args[3]));
    default:
      return 0;
  }
}

uint32_t Win32Modules::Free(ModuleHandle module) {
  if (!LibraryHandleTraits::Close(ToModule(module))) return LastErrorOr(kErrorInvalidHandle);
  return kErrorSuccess;
}

}  // namespace kv
