#include "config/ProfileFile.h"

#include "platform/Errors.h"

namespace kv {

uint32_t ProfileFile::Load(Files& files, std::string_view path) {
  std::string bytes;
  const uint32_t error = files.ReadWholeFile(path, &bytes);
  if (error == kErrorSuccess) reader_ = ProfileReader(std::move(bytes));
  return error;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  for (std::string_view name : reader_.KeyNames(section)) names.emplace_back(name);
  return names;
}

std::optional<std::string> ProfileFile::Value(std::string_view section, std::string_view key,
                                              uint32_t bufferChars) const {
  if (!reader_.Find(section, key)) return std::nullopt;
  return reader_.Read(section, key, "", bufferChars);
}

}  // namespace kv
