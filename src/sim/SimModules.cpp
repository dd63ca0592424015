#include "sim/SimModules.h"

#include "platform/Errors.h"
#include "sim/PathKey.h"

namespace kv::sim {

SimModules::SimModules(Faults& faults) : faults_(faults) {}

SimLibrary& SimModules::AddLibrary(const std::string& name) {
  auto library = std::make_shared<SimLibrary>();
  libraries_[LowerAscii(name)] = library;
  return *library;
}

void SimModules::RemoveLibrary(const std::string& name) {
  libraries_.erase(LowerAscii(name));
}

uint32_t SimModules::Load(std::string_view name, ModuleHandle* module) {
  if (uint32_t e = faults_.Check(Call::LoadModule)) return e;
  auto it = libraries_.find(LowerAscii(name));
  if (it == libraries_.end()) return kErrorModNotFound;
  ++loads_;
  *module = nextHandle_;
  nextHandle_ += 0x1000;
  loaded_[*module] = it->second;
  return kErrorSuccess;
}

uint32_t SimModules::Lookup(ModuleHandle module, std::string_view procName, ProcHandle* proc) {
  if (uint32_t e = faults_.Check(Call::LookupProc)) return e;
  auto it = loaded_.find(module);
  if (it == loaded_.end()) return kErrorInvalidHandle;
  std::string name(procName);
  if (!it->second->exports.count(name)) return kErrorProcNotFound;
  *proc = nextHandle_++;
  procs_[*proc] = BoundProc{it->second, name};
  return kErrorSuccess;
}

int32_t SimModules::Call(ProcHandle proc, std::span<const ProcArg> args) {
  auto it = procs_.find(proc);
  if (it == procs_.end()) return 0;
  calls_.push_back(it->second.name);
  return it->second.library->exports.at(it->second.name)(args);
}

uint32_t SimModules::Free(ModuleHandle module) {
  if (uint32_t e = faults_.Check(Call::FreeModule)) return e;
  if (!loaded_.erase(module)) return kErrorInvalidHandle;
  ++frees_;
  return kErrorSuccess;
}

}  // namespace kv::sim
