#include "sim/SimRegistry.h"

#include <algorithm>

#include "platform/Errors.h"
#include "sim/PathKey.h"

namespace kv::sim {
namespace {

SimValue* FindValue(SimKey& key, std::string_view name) {
  auto it = std::find_if(key.values.begin(), key.values.end(),
                         [&](const SimValue& v) { return EqualsIgnoreCase(v.name, name); });
  return it == key.values.end() ? nullptr : &*it;
}

// Replaces the value's type and data, or appends a new value.
void PutValue(SimKey& key, std::string_view name, uint32_t type, std::string_view data) {
  if (SimValue* value = FindValue(key, name)) {
    value->type = type;
    value->data = data;
  } else {
    key.values.push_back({std::string(name), type, std::string(data)});
  }
}

std::string DwordBytes(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xff);
  return bytes;
}

}  // namespace

SimRegistry::SimRegistry(Faults& faults) : faults_(faults) {}

bool SimRegistry::StartsAtRoot(std::string_view path) {
  return !path.empty() && path.front() == '\\';
}

std::vector<std::string> SimRegistry::SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(std::string(path.substr(start, end - start)));
    start = end + 1;
  }
  return parts;
}

SimKey& SimRegistry::Root(RegRoot root) {
  switch (root) {
    case RegRoot::LocalMachine:
      return localMachine_;
    case RegRoot::CurrentUser:
      return currentUser_;
    case RegRoot::Users:
      break;
  }
  return users_;
}

SimKey* SimRegistry::Resolve(RegRoot root, const std::vector<std::string>& path) {
  SimKey* key = &Root(root);
  for (const auto& part : path) {
    auto it = key->subkeys.find(LowerAscii(part));
    if (it == key->subkeys.end()) return nullptr;
    key = &it->second;
  }
  return key;
}

const SimKey* SimRegistry::Resolve(RegRoot root, const std::vector<std::string>& path) const {
  return const_cast<SimRegistry*>(this)->Resolve(root, path);
}

SimKey* SimRegistry::ResolveHandle(RegHandle key) {
  auto it = handles_.find(key);
  if (it == handles_.end()) return nullptr;
  return Resolve(it->second.root, it->second.path);
}

SimKey& SimRegistry::CreatePath(RegRoot root, std::string_view path) {
  SimKey* key = &Root(root);
  for (const auto& part : SplitPath(path)) {
    SimKey& child = key->subkeys[LowerAscii(part)];
    if (child.name.empty()) child.name = part;
    key = &child;
  }
  return *key;
}

void SimRegistry::CreateKeyPath(RegRoot root, std::string_view path) {
  CreatePath(root, path);
}

void SimRegistry::SetValueAt(RegRoot root, std::string_view path, std::string_view name,
                             uint32_t type, std::string_view data) {
  PutValue(CreatePath(root, path), name, type, data);
}

void SimRegistry::SetDwordAt(RegRoot root, std::string_view path, std::string_view name,
                             uint32_t value) {
  SetValueAt(root, path, name, kRegDword, DwordBytes(value));
}

void SimRegistry::SetStringAt(RegRoot root, std::string_view path, std::string_view name,
                              std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  SetValueAt(root, path, name, kRegSz, data);
}

bool SimRegistry::KeyExists(RegRoot root, std::string_view path) const {
  return Resolve(root, SplitPath(path)) != nullptr;
}

const SimValue* SimRegistry::ValueAt(RegRoot root, std::string_view path,
                                     std::string_view name) const {
  SimKey* key = const_cast<SimRegistry*>(this)->Resolve(root, SplitPath(path));
  return key ? FindValue(*key, name) : nullptr;
}

std::optional<uint32_t> SimRegistry::DwordAt(RegRoot root, std::string_view path,
                                             std::string_view name) const {
  const SimValue* value = ValueAt(root, path, name);
  if (!value || value->type != kRegDword || value->data.size() != 4) return std::nullopt;
  uint32_t result = 0;
  for (int i = 3; i >= 0; --i) result = (result << 8) | static_cast<uint8_t>(value->data[i]);
  return result;
}

std::optional<std::string> SimRegistry::StringAt(RegRoot root, std::string_view path,
                                                 std::string_view name) const {
  const SimValue* value = ValueAt(root, path, name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return std::nullopt;
  std::string text = value->data;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

void SimRegistry::DeleteKeyTree(RegRoot root, std::string_view path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return;
  std::string leaf = LowerAscii(parts.back());
  parts.pop_back();
  if (SimKey* parent = Resolve(root, parts)) parent->subkeys.erase(leaf);
}

uint32_t SimRegistry::OpenKey(RegRoot root, std::string_view path, RegHandle* key) {
  if (uint32_t e = faults_.Check(Call::RegOpenKey)) return e;
  if (StartsAtRoot(path)) return kErrorBadPathname;
  auto parts = SplitPath(path);
  if (!Resolve(root, parts)) return kErrorFileNotFound;
  RegHandle handle = nextHandle_++;
  for (auto& part : parts) part = LowerAscii(part);
  handles_[handle] = OpenKeyRecord{root, std::move(parts)};
  *key = handle;
  return kErrorSuccess;
}

uint32_t SimRegistry::CreateKey(RegRoot root, std::string_view path, RegHandle* key) {
  if (uint32_t e = faults_.Check(Call::RegCreateKey)) return e;
  if (StartsAtRoot(path)) return kErrorBadPathname;
  CreatePath(root, path);
  auto parts = SplitPath(path);
  for (auto& part : parts) part = LowerAscii(part);
  RegHandle handle = nextHandle_++;
  handles_[handle] = OpenKeyRecord{root, std::move(parts)};
  *key = handle;
  return kErrorSuccess;
}

uint32_t SimRegistry::CloseKey(RegHandle key) {
  if (uint32_t e = faults_.Check(Call::RegCloseKey)) return e;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

uint32_t SimRegistry::QueryValue(RegHandle key, std::string_view name, uint32_t* type,
                                 std::string* data) {
  if (uint32_t e = faults_.Check(Call::RegQueryValue)) return e;
  if (!handles_.count(key)) return kErrorInvalidHandle;
  SimKey* k = ResolveHandle(key);
  if (!k) return kErrorKeyDeleted;
  SimValue* value = FindValue(*k, name);
  if (!value) return kErrorFileNotFound;
  if (type) *type = value->type;
  if (data) *data = value->data;
  return kErrorSuccess;
}

uint32_t SimRegistry::SetValue(RegHandle key, std::string_view name, uint32_t type,
                               std::string_view data) {
  if (uint32_t e = faults_.Check(Call::RegSetValue)) return e;
  if (!handles_.count(key)) return kErrorInvalidHandle;
  SimKey* k = ResolveHandle(key);
  if (!k) return kErrorKeyDeleted;
  PutValue(*k, name, type, data);
  return kErrorSuccess;
}

uint32_t SimRegistry::DeleteValue(RegHandle key, std::string_view name) {
  if (uint32_t e = faults_.Check(Call::RegDeleteValue)) return e;
  if (!handles_.count(key)) return kErrorInvalidHandle;
  SimKey* k = ResolveHandle(key);
  if (!k) return kErrorKeyDeleted;
  auto it = std::find_if(k->values.begin(), k->values.end(),
                         [&](const SimValue& v) { return EqualsIgnoreCase(v.name, name); });
  if (it == k->values.end()) return kErrorFileNotFound;
  k->values.erase(it);
  return kErrorSuccess;
}

uint32_t SimRegistry::EnumValue(RegHandle key, uint32_t index, std::string* name, uint32_t* type) {
  if (uint32_t e = faults_.Check(Call::RegEnumValue)) return e;
  if (!handles_.count(key)) return kErrorInvalidHandle;
  SimKey* k = ResolveHandle(key);
  if (!k) return kErrorKeyDeleted;
  if (index >= k->values.size()) return kErrorNoMoreItems;
  if (name) *name = k->values[index].name;
  if (type) *type = k->values[index].type;
  return kErrorSuccess;
}

uint32_t SimRegistry::EnumKey(RegHandle key, uint32_t index, std::string* name) {
  if (uint32_t e = faults_.Check(Call::RegEnumKey)) return e;
  if (!handles_.count(key)) return kErrorInvalidHandle;
  SimKey* k = ResolveHandle(key);
  if (!k) return kErrorKeyDeleted;
  if (index >= k->subkeys.size()) return kErrorNoMoreItems;
  auto it = k->subkeys.begin();
  std::advance(it, index);
  if (name) *name = it->second.name;
  return kErrorSuccess;
}

uint32_t SimRegistry::DeleteKey(RegRoot root, std::string_view path) {
  if (uint32_t e = faults_.Check(Call::RegDeleteKey)) return e;
  if (StartsAtRoot(path)) return kErrorBadPathname;
  auto parts = SplitPath(path);
  SimKey* key = Resolve(root, parts);
  if (!key || parts.empty()) return kErrorFileNotFound;
  // NT refuses to delete a key that still has subkeys; 9x deletes them too.
  if (!key->subkeys.empty() && !deleteRemovesSubkeys_) return kErrorAccessDenied;
  DeleteKeyTree(root, path);
  return kErrorSuccess;
}

}  // namespace kv::sim
