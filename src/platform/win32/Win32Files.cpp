#include "platform/win32/Win32Files.h"

#include "platform/win32/Win32Api.h"

#include "platform/Errors.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Proc.h"

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
  // One read for the whole file: a piece one byte larger than its size comes
  // back short, which for a disk file means its end. A file that grows
  // meanwhile is read on in larger pieces.
  DWORD sizeHigh = 0;
  const DWORD size = ::GetFileSize(file.get(), &sizeHigh);
  constexpr size_t kSmallestPiece = 64 * 1024;
  const size_t expected = size == INVALID_FILE_SIZE || sizeHigh != 0 ? 0 : size;
  std::string data;
  for (;;) {
    const size_t have = data.size();
    size_t piece = have == 0 ? expected + 1 : have;
    if (piece < kSmallestPiece) piece = kSmallestPiece;
    data.resize(have + piece);
    DWORD read = 0;
    if (!::ReadFile(file.get(), data.data() + have, static_cast<DWORD>(piece), &read, nullptr)) {
      return LastFailure();
    }
    data.resize(have + read);
    if (read < piece) break;
  }
  *contents = std::move(data);
  return kErrorSuccess;
}

uint32_t Win32Files::CreateDirectory(std::string_view path) {
  if (!::CreateDirectoryA(std::string(path).c_str(), nullptr)) return LastFailure();
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
