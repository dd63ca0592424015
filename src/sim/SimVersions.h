#pragma once

#include "platform/Versions.h"
#include "sim/Faults.h"
#include "sim/SimFiles.h"

namespace kv::sim {

// Version resources of the simulated files (SimFile::version).
class SimVersions : public Versions {
 public:
  SimVersions(Faults& faults, SimFiles& files) : faults_(faults), files_(files) {}

  uint32_t GetInfoSize(std::string_view path, uint32_t* size) override;
  uint32_t GetInfo(std::string_view path, uint32_t size, std::string* block) override;
  bool QueryValue(const std::string& block, std::string_view subBlock, std::string* value) override;

 private:
  Faults& faults_;
  SimFiles& files_;
};

}  // namespace kv::sim
