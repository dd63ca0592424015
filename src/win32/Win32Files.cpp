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
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!::GetVersionExA(&version)) return LastFailure();
  if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
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
