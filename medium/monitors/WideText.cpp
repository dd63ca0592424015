#include "monitors/WideText.h"

#include <cstring>
#include <vector>

namespace kv {

std::wstring Widen(const char* text) {
  if (text == nullptr || *text == '\0') return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(length);
  MultiByteToWideChar(CP_ACP, 0, text, -1, buffer.data(), length);
  return std::wstring(buffer.data());
}

std::string Narrow(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') return std::string();
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::vector<char> buffer(length);
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), length, nullptr, nullptr);
  return std::string(buffer.data());
}

DWORD WideBytes(const std::wstring& text) {
  return static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
}

LPWSTR PlaceWide(const std::wstring& text, LPBYTE* cursor) {
  LPWSTR start = reinterpret_cast<LPWSTR>(*cursor);
  std::memcpy(start, text.c_str(), WideBytes(text));
  *cursor += WideBytes(text);
  return start;
}

}  // namespace kv
