#include "common/RegKey.h"

#include "platform/Errors.h"

namespace kv {

bool RegKey::Open(RegRoot root, std::string_view path) {
  Close();
  RegHandle handle = 0;
  uint32_t error = registry_.OpenKey(root, path, &handle);
  if (error != kErrorSuccess) {
    lastError_ = error;
    return false;
  }
  key_.reset(handle);
  return true;
}

bool RegKey::Close() {
  if (!key_) return false;
  return key_.close() == kErrorSuccess;
}

bool RegKey::QueryValue(std::string_view name, std::string* buffer, uint32_t size) {
  if (!key_) return false;
  uint32_t type = 0;
  std::string data;
  lastError_ = registry_.QueryValue(key_.get(), name, &type, &data);
  if (lastError_ == kErrorSuccess && data.size() > size) lastError_ = kErrorMoreData;
  if (lastError_ != kErrorSuccess) return false;
  *buffer = std::move(data);
  return true;
}

bool RegKey::ReadDword(std::string_view name, uint32_t* value, uint32_t* lastError) {
  if (!key_) return false;
  std::string data;
  bool ok = QueryValue(name, &data, 4);
  if (ok) {
    for (size_t i = 0; i < data.size(); ++i) {
      uint32_t shift = static_cast<uint32_t>(8 * i);
      *value = (*value & ~(0xffu << shift)) |
               (static_cast<uint32_t>(static_cast<uint8_t>(data[i])) << shift);
    }
  }
  if (lastError) *lastError = lastError_;
  return ok;
}

bool RegKey::SetValue(std::string_view name, std::string_view data, uint32_t type) {
  if (!key_) return false;
  lastError_ = registry_.SetValue(key_.get(), name, type, data);
  return lastError_ == kErrorSuccess;
}

bool RegKey::WriteDword(std::string_view name, uint32_t value, uint32_t* lastError) {
  if (!key_) return false;
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xff);
  bool ok = SetValue(name, bytes, kRegDword);
  if (lastError) *lastError = lastError_;
  return ok;
}

bool RegKey::WriteString(std::string_view name, std::string_view text, uint32_t* lastError) {
  if (!key_) return false;
  std::string data(text);
  data.push_back('\0');
  bool ok = SetValue(name, data, kRegSz);
  if (lastError) *lastError = lastError_;
  return ok;
}

uint32_t RegKey::EnumValue(uint32_t index, std::string* name, uint32_t* nameLength,
                           uint32_t* type) {
  if (!key_) return kErrorInvalidHandle;
  std::string found;
  uint32_t foundType = 0;
  uint32_t error = registry_.EnumValue(key_.get(), index, &found, &foundType);
  if (error != kErrorSuccess) return error;
  if (found.size() + 1 > *nameLength) return kErrorMoreData;
  *name = std::move(found);
  *nameLength = static_cast<uint32_t>(name->size());
  if (type) *type = foundType;
  return kErrorSuccess;
}

uint32_t RegKey::EnumKey(uint32_t index, std::string* name) {
  if (!key_) return kErrorInvalidHandle;
  return registry_.EnumKey(key_.get(), index, name);
}

bool CreateKey(Registry& registry, RegRoot root, std::string_view path) {
  OwnedRegKey created(RegKeyTraits{&registry});
  if (registry.CreateKey(root, path, created.receive()) == kErrorSuccess) return true;
  created.release();  // a failed call hands no key out
  return false;
}

}  // namespace kv
