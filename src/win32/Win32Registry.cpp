#include "win32/Win32Registry.h"

#include "win32/Win32Api.h"

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"

#include <string>
#include <vector>

namespace kv {
namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::Users:
      return HKEY_USERS;
  }
  return HKEY_LOCAL_MACHINE;
}

HKEY ToKey(RegHandle key) {
  return reinterpret_cast<HKEY>(key);
}

// Value names are at most 16383 characters; key names 255.
constexpr DWORD kMaxValueNameChars = 16384;
constexpr DWORD kMaxKeyNameChars = 256;

}  // namespace

uint32_t Win32Registry::OpenKey(RegRoot root, std::string_view path, RegHandle* key) {
  HKEY opened = nullptr;
  LONG result = RegOpenKeyExA(RootKey(root), std::string(path).c_str(), 0, KEY_ALL_ACCESS, &opened);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  *key = reinterpret_cast<RegHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Registry::CreateKey(RegRoot root, std::string_view path, RegHandle* key) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  LONG result =
      RegCreateKeyExA(RootKey(root), std::string(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &created, &disposition);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  *key = reinterpret_cast<RegHandle>(created);
  return kErrorSuccess;
}

uint32_t Win32Registry::CloseKey(RegHandle key) {
  return static_cast<uint32_t>(KeyHandleTraits::Close(ToKey(key)));
}

uint32_t Win32Registry::QueryValue(RegHandle key, std::string_view name, uint32_t* type,
                                   std::string* data) {
  const std::string valueName(name);
  DWORD valueType = 0;
  DWORD size = 0;
  LONG result =
      RegQueryValueExA(ToKey(key), valueName.c_str(), nullptr, &valueType, nullptr, &size);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  // The value may grow between the calls; a few rounds settle it.
  std::vector<BYTE> buffer;
  for (int round = 0; round < 4; ++round) {
    buffer.resize(size + 1);
    size = static_cast<DWORD>(buffer.size());
    result =
        RegQueryValueExA(ToKey(key), valueName.c_str(), nullptr, &valueType, buffer.data(), &size);
    if (result != ERROR_MORE_DATA) break;
  }
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  *type = valueType;
  data->assign(reinterpret_cast<const char*>(buffer.data()), size);
  return kErrorSuccess;
}

uint32_t Win32Registry::SetValue(RegHandle key, std::string_view name, uint32_t type,
                                 std::string_view data) {
  // A zero-length value still needs a valid data pointer on the 9x platform.
  const std::string bytes(data);
  return static_cast<uint32_t>(RegSetValueExA(ToKey(key), std::string(name).c_str(), 0, type,
                                              reinterpret_cast<const BYTE*>(bytes.c_str()),
                                              static_cast<DWORD>(bytes.size())));
}

uint32_t Win32Registry::DeleteValue(RegHandle key, std::string_view name) {
  return static_cast<uint32_t>(RegDeleteValueA(ToKey(key), std::string(name).c_str()));
}

uint32_t Win32Registry::EnumValue(RegHandle key, uint32_t index, std::string* name,
                                  uint32_t* type) {
  std::vector<char> buffer(kMaxValueNameChars);
  DWORD length = kMaxValueNameChars;
  DWORD valueType = 0;
  LONG result = RegEnumValueA(ToKey(key), index, buffer.data(), &length, nullptr, &valueType,
                              nullptr, nullptr);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  name->assign(buffer.data(), length);
  *type = valueType;
  return kErrorSuccess;
}

uint32_t Win32Registry::EnumKey(RegHandle key, uint32_t index, std::string* name) {
  char buffer[kMaxKeyNameChars + 1] = {};
  LONG result = RegEnumKeyA(ToKey(key), index, buffer, sizeof buffer);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  name->assign(buffer);
  return kErrorSuccess;
}

uint32_t Win32Registry::DeleteKey(RegRoot root, std::string_view path) {
  return static_cast<uint32_t>(RegDeleteKeyA(RootKey(root), std::string(path).c_str()));
}

}  // namespace kv
