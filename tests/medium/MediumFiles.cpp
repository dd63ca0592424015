#include "MediumFiles.h"

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "handles/WindowsHandles.h"

namespace kv::medium {

std::string MediumPath(const std::string& relative) {
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);
  return std::string(directory) + "\\" + relative;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::string& path) {
  std::string text;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  return text;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

std::string Profile(const std::string& file, const std::string& section, const std::string& key) {
  char value[512] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "0", value, sizeof(value), file.c_str());
  return value;
}

int ProfileNumber(const std::string& file, const std::string& section, const std::string& key) {
  return std::atoi(Profile(file, section, key).c_str());
}

std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return "";
  auto block = std::make_unique<char[]>(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.get())) return "";
  WORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    return "";
  }
  char query[64];
  wsprintfA(query, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
  char* version = nullptr;
  if (!VerQueryValueA(block.get(), query, reinterpret_cast<void**>(&version), &length) ||
      version == nullptr) {
    return "";
  }
  return version;
}

std::string SystemDirectory() {
  char path[MAX_PATH] = {};
  GetSystemDirectoryA(path, MAX_PATH);
  return path;
}

std::string WindowsDirectory() {
  char path[MAX_PATH] = {};
  GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

std::vector<std::string> ListMediumFiles(const std::string& relativeDirectory) {
  std::vector<std::string> files;
  const std::string prefix = relativeDirectory.empty() ? "" : relativeDirectory + "\\";
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA(MediumPath(prefix + "*").c_str(), &found));
  if (!search) return files;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const std::string& inner : ListMediumFiles(prefix + name)) files.push_back(inner);
    } else {
      files.push_back(prefix + name);
    }
  } while (FindNextFileA(search.get(), &found));
  return files;
}

}  // namespace kv::medium
