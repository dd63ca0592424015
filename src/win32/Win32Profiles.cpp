#include "win32/Win32Profiles.h"

#include "win32/Win32Api.h"

#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

// The functions write at most bufferChars - 1 characters and a terminator and
// return the number written; the text ends at the first terminator.
template <typename Read>
std::string ReadText(uint32_t bufferChars, Read read) {
  if (bufferChars == 0) return std::string();
  std::string buffer(bufferChars, '\0');
  DWORD length = read(buffer.data(), bufferChars);
  buffer.resize(std::min<size_t>(length, bufferChars - 1));
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

}  // namespace

std::string Win32Profiles::GetPrivateString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue, uint32_t bufferChars,
                                            std::string_view path) {
  const std::string sectionName(section), keyName(key), fallback(defaultValue), file(path);
  return ReadText(bufferChars, [&](char* buffer, DWORD size) {
    return ::GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), fallback.c_str(),
                                      buffer, size, file.c_str());
  });
}

uint32_t Win32Profiles::WritePrivateString(std::string_view section, std::string_view key,
                                           std::string_view value, std::string_view path) {
  if (!::WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), std::string(path).c_str())) {
    return LastErrorOr(kErrorInvalidFunction);
  }
  return kErrorSuccess;
}

std::string Win32Profiles::GetProfileString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue, uint32_t bufferChars) {
  const std::string sectionName(section), keyName(key), fallback(defaultValue);
  return ReadText(bufferChars, [&](char* buffer, DWORD size) {
    return ::GetProfileStringA(sectionName.c_str(), keyName.c_str(), fallback.c_str(), buffer,
                               size);
  });
}

uint32_t Win32Profiles::WriteProfileString(std::string_view section, std::string_view key,
                                           std::string_view value) {
  if (!::WriteProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                             std::string(value).c_str())) {
    return LastErrorOr(kErrorInvalidFunction);
  }
  return kErrorSuccess;
}

uint32_t Win32Profiles::FlushProfile() {
  if (!::WriteProfileStringA(nullptr, nullptr, nullptr)) return LastErrorOr(kErrorInvalidFunction);
  return kErrorSuccess;
}

}  // namespace kv
