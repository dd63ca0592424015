#include "win32/Win32Versions.h"

#include "win32/Win32Api.h"

#include <vector>

#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

bool IsStringEntry(std::string_view subBlock) {
  constexpr std::string_view kPrefix = "\\StringFileInfo\\";
  if (subBlock.size() < kPrefix.size()) return false;
  for (size_t i = 0; i < kPrefix.size(); ++i) {
    char c = subBlock[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    char p = kPrefix[i];
    if (p >= 'A' && p <= 'Z') p = static_cast<char>(p - 'A' + 'a');
    if (c != p) return false;
  }
  return true;
}

}  // namespace

uint32_t Win32Versions::GetInfoSize(std::string_view path, uint32_t* size) {
  DWORD ignored = 0;
  SetLastError(0);
  DWORD found = ::GetFileVersionInfoSizeA(std::string(path).c_str(), &ignored);
  if (found == 0) {
    *size = 0;
    // The 9x version.dll can fail without an error; a file without a
    // resource is what such a failure means.
    return LastErrorOr(kErrorResourceDataNotFound);
  }
  *size = found;
  return kErrorSuccess;
}

uint32_t Win32Versions::GetInfo(std::string_view path, uint32_t size, std::string* block) {
  std::vector<char> buffer(size);
  if (size == 0 || !::GetFileVersionInfoA(std::string(path).c_str(), 0, size, buffer.data())) {
    return LastErrorOr(kErrorInvalidParameter);
  }
  block->assign(buffer.data(), buffer.size());
  return kErrorSuccess;
}

bool Win32Versions::QueryValue(const std::string& block, std::string_view subBlock,
                               std::string* value) {
  // VerQueryValueA writes the ANSI forms of NT's UTF-16 strings into the
  // block, so it works on a private, aligned copy.
  std::vector<DWORD> copy(block.size() / sizeof(DWORD) + 1);
  std::copy(block.begin(), block.end(), reinterpret_cast<char*>(copy.data()));
  void* found = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(copy.data(), std::string(subBlock).c_str(), &found, &length) ||
      found == nullptr) {
    return false;
  }
  const char* bytes = static_cast<const char*>(found);
  if (IsStringEntry(subBlock)) {
    // A text's length counts characters, with its terminator on most systems.
    size_t textLength = 0;
    while (textLength < length && bytes[textLength] != '\0') ++textLength;
    value->assign(bytes, textLength);
  } else {
    value->assign(bytes, length);
  }
  return true;
}

}  // namespace kv
