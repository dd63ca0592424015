#include "sim/SimVersions.h"

#include "platform/Errors.h"
#include "sim/PathKey.h"

namespace kv::sim {
namespace {

// VerQueryValue paths: leading backslashes are optional, names ignore case.
std::string NormalizeSubBlock(std::string_view subBlock) {
  while (!subBlock.empty() && subBlock.front() == '\\') subBlock.remove_prefix(1);
  return LowerAscii(subBlock);
}

bool IsStringPath(std::string_view normalized) {
  return normalized.substr(0, 15) == "stringfileinfo\\";
}

constexpr std::string_view kBlockHeader = "VS_VERSION_INFO";

void AppendSized(std::string& block, std::string_view bytes) {
  const auto size = static_cast<uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) block.push_back(static_cast<char>((size >> (8 * i)) & 0xff));
  block.append(bytes);
}

// Takes the next size-prefixed piece off the front of `rest`; false when the
// block ends too early.
bool TakeSized(std::string_view& rest, std::string_view* bytes) {
  if (rest.size() < 4) return false;
  uint32_t size = 0;
  for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<uint8_t>(rest[i]);
  rest.remove_prefix(4);
  if (rest.size() < size) return false;
  *bytes = rest.substr(0, size);
  rest.remove_prefix(size);
  return true;
}

// The block is a list of entries, each a sub-block path and its value, both
// size-prefixed: a value may hold any byte, as a real resource's may.
std::string Encode(const VersionResource& resource) {
  std::string block(kBlockHeader);
  std::string translations;
  for (auto [language, codePage] : resource.translations) {
    for (uint16_t word : {language, codePage}) {
      translations.push_back(static_cast<char>(word & 0xff));
      translations.push_back(static_cast<char>(word >> 8));
    }
  }
  if (!resource.translations.empty()) {
    AppendSized(block, NormalizeSubBlock("VarFileInfo\\Translation"));
    AppendSized(block, translations);
  }
  for (const auto& [table, strings] : resource.stringTables) {
    for (const auto& [name, value] : strings) {
      AppendSized(block, NormalizeSubBlock("StringFileInfo\\" + table + "\\" + name));
      AppendSized(block, value);
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
  const std::string wanted = NormalizeSubBlock(subBlock);
  std::string_view rest = block;
  if (rest.substr(0, kBlockHeader.size()) != kBlockHeader) return false;
  rest.remove_prefix(kBlockHeader.size());
  std::string_view path;
  std::string_view bytes;
  while (TakeSized(rest, &path) && TakeSized(rest, &bytes)) {
    if (path == wanted) {
      // A text ends at its first zero, as VerQueryValueA's caller reads it.
      *value = IsStringPath(wanted) ? std::string(bytes.substr(0, bytes.find('\0')))
                                    : std::string(bytes);
      return true;
    }
  }
  return false;
}

}  // namespace kv::sim
