#include "platform/sim/SimVersions.h"

#include "platform/Errors.h"
#include "platform/sim/PathKey.h"

namespace kv::sim {
namespace {

constexpr char kEntryStart = '\x01';
constexpr char kValueStart = '\x02';

// VerQueryValue paths: leading backslashes are optional, names ignore case.
std::string NormalizeSubBlock(std::string_view subBlock) {
  while (!subBlock.empty() && subBlock.front() == '\\') subBlock.remove_prefix(1);
  return LowerAscii(subBlock);
}

// The block is a flat list of entries: \x01 path \x02 value.
std::string Encode(const VersionResource& resource) {
  std::string block = "VS_VERSION_INFO";
  std::string translations;
  for (auto [language, codePage] : resource.translations) {
    for (uint16_t word : {language, codePage}) {
      translations.push_back(static_cast<char>(word & 0xff));
      translations.push_back(static_cast<char>(word >> 8));
    }
  }
  if (!resource.translations.empty()) {
    block +=
        kEntryStart + NormalizeSubBlock("VarFileInfo\\Translation") + kValueStart + translations;
  }
  for (const auto& [table, strings] : resource.stringTables) {
    for (const auto& [name, value] : strings) {
      block += kEntryStart + NormalizeSubBlock("StringFileInfo\\" + table + "\\" + name) +
               kValueStart + value;
    }
  }
  return block;
}

}  // namespace

uint32_t SimVersions::GetInfoSize(std::string_view path, uint32_t* size) {
  // GetFileVersionInfoSizeA's result is the size: 0 on every failure.
  *size = 0;
  if (uint32_t e = faults_.Check(Call::VersionGetInfoSize)) return e;
  const SimFile* file = files_.Find(path);
  if (!file) {
    return files_.DirectoryExists(ParentPath(path)) ? kErrorFileNotFound : kErrorPathNotFound;
  }
  if (!file->version) return kErrorResourceTypeNotFound;
  *size = static_cast<uint32_t>(Encode(*file->version).size());
  return kErrorSuccess;
}

uint32_t SimVersions::GetInfo(std::string_view path, uint32_t size, std::string* block) {
  if (uint32_t e = faults_.Check(Call::VersionGetInfo)) return e;
  const SimFile* file = files_.Find(path);
  if (!file) return kErrorFileNotFound;
  if (!file->version) return kErrorResourceTypeNotFound;
  std::string encoded = Encode(*file->version);
  if (size < encoded.size()) return kErrorInsufficientBuffer;
  *block = std::move(encoded);
  return kErrorSuccess;
}

bool SimVersions::QueryValue(const std::string& block, std::string_view subBlock,
                             std::string* value) {
  if (faults_.Check(Call::VersionQueryValue)) return false;
  std::string wanted = NormalizeSubBlock(subBlock);
  size_t pos = 0;
  while ((pos = block.find(kEntryStart, pos)) != std::string::npos) {
    size_t valueStart = block.find(kValueStart, pos);
    if (valueStart == std::string::npos) return false;
    size_t next = block.find(kEntryStart, valueStart);
    if (next == std::string::npos) next = block.size();
    if (std::string_view(block).substr(pos + 1, valueStart - pos - 1) == wanted) {
      *value = block.substr(valueStart + 1, next - valueStart - 1);
      return true;
    }
    pos = next;
  }
  return false;
}

}  // namespace kv::sim
