#include "win32/Win32Security.h"

#include "win32/Win32Api.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

HANDLE ToHandle(TokenHandle token) {
  return reinterpret_cast<HANDLE>(token);
}

// The "S-1-5-32-544" form, read from the SID's documented layout (revision,
// sub-authority count, 48-bit big-endian authority, 32-bit sub-authorities),
// so that no function beyond those of NT 4.0 is needed.
std::string SidText(const void* sid) {
  const auto* bytes = static_cast<const uint8_t*>(sid);
  uint64_t authority = 0;
  for (int i = 0; i < 6; ++i) authority = (authority << 8) | bytes[2 + i];
  char text[16 + 11 * 256];
  // Authorities above 32 bits are written in hexadecimal, as Windows does.
  int length =
      authority < 0x100000000ull
          ? std::snprintf(text, sizeof text, "S-%u-%lu", static_cast<unsigned>(bytes[0]),
                          static_cast<unsigned long>(authority))
          : std::snprintf(text, sizeof text, "S-%u-0x%04lX%08lX", static_cast<unsigned>(bytes[0]),
                          static_cast<unsigned long>(authority >> 32),
                          static_cast<unsigned long>(authority & 0xFFFFFFFFu));
  for (int i = 0; i < bytes[1] && length > 0 && length < 16 + 11 * 255; ++i) {
    uint32_t subAuthority = 0;
    std::memcpy(&subAuthority, bytes + 8 + 4 * i, sizeof subAuthority);
    length += std::snprintf(text + length, sizeof text - length, "-%lu",
                            static_cast<unsigned long>(subAuthority));
  }
  return text;
}

}  // namespace

uint32_t Win32Security::OpenThreadToken(TokenHandle* token) {
  auto* open = FindAdvapiProc<BOOL WINAPI(HANDLE, DWORD, BOOL, PHANDLE)>("OpenThreadToken");
  if (open == nullptr) return kCallNotImplemented;
  HANDLE opened = nullptr;
  if (!open(GetCurrentThread(), TOKEN_QUERY, FALSE, &opened)) return LastFailure();
  *token = reinterpret_cast<TokenHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Security::OpenProcessToken(TokenHandle* token) {
  auto* open = FindAdvapiProc<BOOL WINAPI(HANDLE, DWORD, PHANDLE)>("OpenProcessToken");
  if (open == nullptr) return kCallNotImplemented;
  HANDLE opened = nullptr;
  if (!open(GetCurrentProcess(), TOKEN_QUERY, &opened)) return LastFailure();
  *token = reinterpret_cast<TokenHandle>(opened);
  return kErrorSuccess;
}

uint32_t Win32Security::CloseToken(TokenHandle token) {
  if (!KernelHandleTraits::Close(ToHandle(token))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Security::QueryGroupsSize(TokenHandle token, uint32_t* needed) {
  using GetInformation = BOOL WINAPI(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
  auto* get = FindAdvapiProc<GetInformation>("GetTokenInformation");
  if (get == nullptr) return kCallNotImplemented;
  DWORD length = 0;
  // The expected outcome is a failure with 122 and the needed length, which
  // the caller checks; the length is reported with it.
  uint32_t result =
      get(ToHandle(token), TokenGroups, nullptr, 0, &length) ? kErrorSuccess : LastFailure();
  if (result == kErrorSuccess || result == kErrorInsufficientBuffer) *needed = length;
  return result;
}

uint32_t Win32Security::GetGroups(TokenHandle token, uint32_t size,
                                  std::vector<TokenGroup>* groups) {
  using GetInformation = BOOL WINAPI(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
  auto* get = FindAdvapiProc<GetInformation>("GetTokenInformation");
  if (get == nullptr) return kCallNotImplemented;
  // TOKEN_GROUPS holds pointers: the buffer must be aligned for them.
  std::vector<DWORD_PTR> buffer(size / sizeof(DWORD_PTR) + 1);
  DWORD length = 0;
  if (!get(ToHandle(token), TokenGroups, buffer.data(), size, &length)) return LastFailure();
  const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  std::vector<TokenGroup> result;
  for (DWORD i = 0; i < list->GroupCount; ++i) {
    result.push_back(TokenGroup{SidText(list->Groups[i].Sid), list->Groups[i].Attributes});
  }
  *groups = std::move(result);
  return kErrorSuccess;
}

uint32_t Win32Security::BuildSid(const uint8_t (&authority)[6], uint32_t rid1, uint32_t rid2,
                                 std::string* sid) {
  using Allocate = BOOL WINAPI(PSID_IDENTIFIER_AUTHORITY, BYTE, DWORD, DWORD, DWORD, DWORD, DWORD,
                               DWORD, DWORD, DWORD, PSID*);
  using Free = PVOID WINAPI(PSID);
  auto* allocate = FindAdvapiProc<Allocate>("AllocateAndInitializeSid");
  auto* free = FindAdvapiProc<Free>("FreeSid");
  if (allocate == nullptr || free == nullptr) return kCallNotImplemented;
  SID_IDENTIFIER_AUTHORITY identifier = {};
  std::memcpy(identifier.Value, authority, sizeof identifier.Value);
  PSID built = nullptr;
  if (!allocate(&identifier, 2, rid1, rid2, 0, 0, 0, 0, 0, 0, &built)) return LastFailure();
  std::unique_ptr<void, Free*> owner(built, free);
  *sid = SidText(built);
  return kErrorSuccess;
}

}  // namespace kv
