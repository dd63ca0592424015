#include "win32/Win32Files.h"

#include "win32/Win32Api.h"

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "profiletext/WininitText.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

constexpr DWORD kNoAttributes = 0xFFFFFFFF;  // INVALID_FILE_ATTRIBUTES

// Reads a directory name from one of the "buffer and size" functions, which
// return the length written, or the size needed when the buffer is short.
template <typename Query>
uint32_t ReadPath(Query query, std::string* path) {
  std::string buffer(MAX_PATH + 1, '\0');
  DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.assign(length + 1, '\0');
    length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return LastFailure();
  buffer.resize(length);
  *path = std::move(buffer);
  return kErrorSuccess;
}

// Reads an open file from its current position to its end.
uint32_t ReadToEnd(HANDLE file, std::string* contents) {
  // One read for the whole file: a piece one byte larger than its size comes
  // back short, which for a disk file means its end. A file that grows
  // meanwhile is read on in larger pieces.
  DWORD sizeHigh = 0;
  const DWORD size = ::GetFileSize(file, &sizeHigh);
  constexpr size_t kSmallestPiece = 64 * 1024;
  const size_t expected = size == INVALID_FILE_SIZE || sizeHigh != 0 ? 0 : size;
  std::string data;
  for (;;) {
    const size_t have = data.size();
    size_t piece = have == 0 ? expected + 1 : have;
    if (piece < kSmallestPiece) piece = kSmallestPiece;
    data.resize(have + piece);
    DWORD read = 0;
    if (!::ReadFile(file, data.data() + have, static_cast<DWORD>(piece), &read, nullptr)) {
      return LastFailure();
    }
    data.resize(have + read);
    if (read < piece) break;
  }
  *contents = std::move(data);
  return kErrorSuccess;
}

// Adds the removal line to WININIT.INI, made when missing. Nobody else may
// write the file between the read and the write. The text only grows, so it
// is written over from the start.
uint32_t AddWininitRemoval(const std::string& windowsDirectory, const std::string& shortPath) {
  FileHandle wininit(::CreateFileA((windowsDirectory + "\\WININIT.INI").c_str(),
                                   GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!wininit) return LastFailure();
  std::string text;
  if (uint32_t error = ReadToEnd(wininit.get(), &text)) return error;
  const std::string updated = WithPendingRemoval(text, shortPath);
  if (updated == text) return kErrorSuccess;
  if (::SetFilePointer(wininit.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    return LastFailure();
  }
  DWORD written = 0;
  if (!::WriteFile(wininit.get(), updated.data(), static_cast<DWORD>(updated.size()), &written,
                   nullptr)) {
    return LastFailure();
  }
  return written == updated.size() ? kErrorSuccess : kErrorInvalidFunction;
}

bool RunningNt() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// A path of a PendingFileRenameOperations record without its "\??\".
std::string DosPath(std::string_view recorded) {
  constexpr std::string_view kNtPrefix = "\\??\\";
  if (recorded.substr(0, kNtPrefix.size()) == kNtPrefix) recorded.remove_prefix(kNtPrefix.size());
  return std::string(recorded);
}

}  // namespace

uint32_t Win32Files::CopyFile(std::string_view source, std::string_view target, bool failIfExists) {
  if (!::CopyFileA(std::string(source).c_str(), std::string(target).c_str(), failIfExists)) {
    return LastFailure();
  }
  return kErrorSuccess;
}

uint32_t Win32Files::DeleteFile(std::string_view path) {
  if (!::DeleteFileA(std::string(path).c_str())) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Files::GetAttributes(std::string_view path, uint32_t* attributes) {
  DWORD found = ::GetFileAttributesA(std::string(path).c_str());
  if (found == kNoAttributes) return LastFailure();
  *attributes = found;
  return kErrorSuccess;
}

uint32_t Win32Files::SetAttributes(std::string_view path, uint32_t attributes) {
  if (!::SetFileAttributesA(std::string(path).c_str(), attributes)) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Files::OpenExisting(std::string_view path) {
  FileHandle file(::CreateFileA(std::string(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Files::ReadWholeFile(std::string_view path, std::string* contents) {
  // The sharing the profile functions open their files with: a file another
  // program holds open for writing still reads.
  FileHandle file(::CreateFileA(std::string(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastFailure();
  return ReadToEnd(file.get(), contents);
}

uint32_t Win32Files::CreateDirectory(std::string_view path) {
  if (!::CreateDirectoryA(std::string(path).c_str(), nullptr)) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Files::DeleteAtRestart(std::string_view path) {
  const std::string file(path);
  if (RunningNt()) {
    if (!::MoveFileExA(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return LastFailure();
    return kErrorSuccess;
  }
  // WININIT runs before long names are available: the line needs the 8.3 path.
  std::string shortPath;
  uint32_t error = ReadPath(
      [&file](char* buffer, DWORD size) { return ::GetShortPathNameA(file.c_str(), buffer, size); },
      &shortPath);
  if (error != kErrorSuccess) return error;
  std::string windowsDirectory;
  if ((error = GetWindowsDirectory(&windowsDirectory)) != kErrorSuccess) return error;
  return AddWininitRemoval(windowsDirectory, shortPath);
}

uint32_t Win32Files::ReplaceAtRestart(std::string_view source, std::string_view target) {
  // The 9x MoveFileExA is a stub that fails; it is not called there.
  if (!RunningNt()) return kErrorCallNotImplemented;
  if (!::MoveFileExA(std::string(source).c_str(), std::string(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
    return LastFailure();
  }
  return kErrorSuccess;
}

uint32_t Win32Files::ReadPendingRenames(std::vector<PendingRename>* renames) {
  std::vector<PendingRename> found;
  if (!RunningNt()) {
    *renames = std::move(found);
    return kErrorSuccess;
  }
  HKEY opened = nullptr;
  LONG error = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(kPendingRemovalsKey).c_str(), 0,
                               KEY_QUERY_VALUE, &opened);
  if (error != ERROR_SUCCESS) return static_cast<uint32_t>(error);
  const KeyHandle key(opened);
  const std::string name(kPendingRemovalsValue);
  std::string data;
  DWORD size = 0;
  error = ::RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, nullptr, &size);
  if (error == ERROR_SUCCESS && size > 0) {
    data.assign(size, '\0');
    error = ::RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr,
                               reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(size);
  }
  if (error == ERROR_FILE_NOT_FOUND) error = ERROR_SUCCESS;  // nothing recorded
  if (error != ERROR_SUCCESS) return static_cast<uint32_t>(error);

  // Pairs of strings up to the empty one that ends the list.
  std::vector<std::string> strings;
  for (size_t at = 0; at < data.size();) {
    size_t end = data.find('\0', at);
    if (end == std::string::npos) end = data.size();
    strings.push_back(data.substr(at, end - at));
    at = end + 1;
  }
  for (size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
    PendingRename rename;
    rename.source = DosPath(strings[i]);
    std::string_view target = strings[i + 1];
    rename.replaceExisting = !target.empty() && target.front() == '!';
    if (rename.replaceExisting) target.remove_prefix(1);
    rename.target = DosPath(target);
    found.push_back(std::move(rename));
  }
  *renames = std::move(found);
  return kErrorSuccess;
}

uint32_t Win32Files::CreateTempFile(std::string_view directory, std::string_view prefix,
                                    std::string* path) {
  std::string buffer(MAX_PATH + 1, '\0');
  if (::GetTempFileNameA(std::string(directory).c_str(), std::string(prefix).c_str(), 0,
                         buffer.data()) == 0) {
    return LastFailure();
  }
  buffer.resize(buffer.find('\0'));
  *path = std::move(buffer);
  return kErrorSuccess;
}

uint32_t Win32Files::FindFiles(std::string_view pattern, std::vector<FoundFile>* found) {
  WIN32_FIND_DATAA data = {};
  FindHandle search(::FindFirstFileA(std::string(pattern).c_str(), &data));
  if (!search) {
    // An empty directory reports 18 (no more files) on some systems; the
    // interface promises "not found" for every empty match.
    DWORD error = LastFailure();
    return error == ERROR_NO_MORE_FILES ? kErrorFileNotFound : error;
  }
  std::vector<FoundFile> result;
  do {
    result.push_back(FoundFile{data.cFileName, data.dwFileAttributes});
  } while (::FindNextFileA(search.get(), &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) return LastFailure();
  *found = std::move(result);
  return kErrorSuccess;
}

namespace {

// The 9x platform knows no append-only access.
bool NinetyFive() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

}  // namespace

uint32_t Win32Files::OpenForAppending(std::string_view path, AppendHandle* file) {
  // Append access alone makes every WriteFile land at the end as one piece,
  // whoever else appends; write access would write at the handle's position.
  const DWORD access = NinetyFive() ? GENERIC_WRITE : FILE_APPEND_DATA | SYNCHRONIZE;
  HANDLE opened =
      ::CreateFileA(std::string(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return LastFailure();
  *file = reinterpret_cast<AppendHandle>(opened);
  return kErrorSuccess;
}

Win32Files::Win32Files() {
  InitializeCriticalSection(&appendLock_);
}

Win32Files::~Win32Files() {
  DeleteCriticalSection(&appendLock_);
}

uint32_t Win32Files::AppendToFile(AppendHandle file, std::string_view bytes) {
  HANDLE handle = reinterpret_cast<HANDLE>(file);
  const bool seek = NinetyFive();
  if (seek) EnterCriticalSection(&appendLock_);
  uint32_t error = kErrorSuccess;
  DWORD written = 0;
  if (seek && ::SetFilePointer(handle, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    error = LastFailure();
  } else if (!::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                          nullptr)) {
    error = LastFailure();
  } else if (written != bytes.size()) {
    error = kErrorInvalidFunction;
  }
  if (seek) LeaveCriticalSection(&appendLock_);
  return error;
}

uint32_t Win32Files::CloseFile(AppendHandle file) {
  if (!::CloseHandle(reinterpret_cast<HANDLE>(file))) return LastErrorOr(kErrorInvalidHandle);
  return kErrorSuccess;
}

uint32_t Win32Files::ChangeCurrentDirectory(std::string_view directory) {
  if (!::SetCurrentDirectoryA(std::string(directory).c_str())) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Files::GetCurrentDirectory(std::string* directory) {
  return ReadPath([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); },
                  directory);
}

uint32_t Win32Files::GetSystemDirectory(std::string* directory) {
  return ReadPath([](char* buffer, DWORD size) { return ::GetSystemDirectoryA(buffer, size); },
                  directory);
}

uint32_t Win32Files::GetWindowsDirectory(std::string* directory) {
  return ReadPath([](char* buffer, DWORD size) { return ::GetWindowsDirectoryA(buffer, size); },
                  directory);
}

uint32_t Win32Files::GetModuleFileName(std::string* path) {
  // GetModuleFileNameA returns the size itself, without a terminator, when the
  // name is cut; a length below the size means it fit.
  std::string buffer(MAX_PATH + 1, '\0');
  for (int round = 0; round < 4; ++round) {
    DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return LastFailure();
    if (length < buffer.size()) {
      buffer.resize(length);
      *path = std::move(buffer);
      return kErrorSuccess;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
  return kErrorInsufficientBuffer;
}

}  // namespace kv
