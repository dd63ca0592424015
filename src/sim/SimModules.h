#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Modules.h"
#include "sim/Faults.h"

namespace kv::sim {

using SimProc = std::function<int32_t(std::span<const ProcArg>)>;

// A library that can be loaded by name: its exports by exact name.
struct SimLibrary {
  std::map<std::string, SimProc> exports;
};

// Libraries loaded by name. A library must be registered to load; each load
// and free is counted so tests can check that every load is undone.
class SimModules : public Modules {
 public:
  explicit SimModules(Faults& faults);

  // Registers (or replaces) a loadable library; the name ignores case.
  SimLibrary& AddLibrary(const std::string& name);
  void RemoveLibrary(const std::string& name);
  int loadCount() const { return loads_; }
  int freeCount() const { return frees_; }
  size_t LoadedCount() const { return loaded_.size(); }
  // Names of the functions called, in order.
  const std::vector<std::string>& calls() const { return calls_; }

  uint32_t Load(std::string_view name, ModuleHandle* module) override;
  uint32_t Lookup(ModuleHandle module, std::string_view procName, ProcHandle* proc) override;
  int32_t Call(ProcHandle proc, std::span<const ProcArg> args) override;
  uint32_t Free(ModuleHandle module) override;

 private:
  Faults& faults_;
  std::map<std::string, std::shared_ptr<SimLibrary>> libraries_;  // lower-cased names
  std::map<ModuleHandle, std::shared_ptr<SimLibrary>> loaded_;
  struct BoundProc {
    std::shared_ptr<SimLibrary> library;
    std::string name;
  };
  std::map<ProcHandle, BoundProc> procs_;
  uintptr_t nextHandle_ = 0x10000;
  int loads_ = 0;
  int frees_ = 0;
  std::vector<std::string> calls_;
};

}  // namespace kv::sim
