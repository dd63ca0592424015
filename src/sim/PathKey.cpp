#include "sim/PathKey.h"

#include <algorithm>
#include <vector>

namespace kv::sim {
namespace {

char LowerAsciiChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// A path that is full already ("X:\" and names, each after one backslash,
// none "." or "..") comes out as it went in; most paths the machine sees are.
bool IsFullAlready(std::string_view path) {
  if (!HasDrive(path) || path.size() < 3 || path[2] != '\\') return false;
  if (path.size() == 3) return true;
  // Whole-string searches: most paths pass every one of them.
  if (path.back() == '\\' || path.find('/') != std::string_view::npos ||
      path.find("\\\\") != std::string_view::npos) {
    return false;
  }
  for (size_t dot = path.find("\\."); dot != std::string_view::npos;
       dot = path.find("\\.", dot + 1)) {
    const std::string_view name = path.substr(dot + 1, path.find('\\', dot + 1) - dot - 1);
    if (name == "." || name == "..") return false;
  }
  return true;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAsciiChar(c);
  return lower;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i])) return false;
  }
  return true;
}

std::string FullPath(std::string_view path, std::string_view currentDirectory) {
  if (IsFullAlready(path)) return std::string(path);
  // What comes before the first backslash of the result ("X:", or "\" of a
  // UNC path's pair), and the names below it, separated any way.
  const std::string_view currentDrive = currentDirectory.substr(0, 2);
  std::string prefix(currentDrive);
  std::string names;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    prefix = "\\";
    names = path.substr(2);
  } else if (HasDrive(path)) {
    prefix = path.substr(0, 2);
    names = path.substr(2);
    const bool driveRelative = names.empty() || !IsSeparator(names[0]);
    if (driveRelative && HasDrive(currentDirectory) && EqualsIgnoreCase(currentDrive, prefix)) {
      names = std::string(currentDirectory.substr(2)) + "\\" + names;
    }
  } else if (!path.empty() && IsSeparator(path[0])) {
    names = path;
  } else {
    names = std::string(currentDirectory.substr(2)) + "\\" + std::string(path);
  }
  std::vector<std::string_view> parts;
  const std::string_view all = names;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = start;
    while (end < all.size() && !IsSeparator(all[end])) ++end;
    std::string_view part = all.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string full = prefix + "\\";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) full += '\\';
    full += parts[i];
  }
  return full;
}

std::string PathKey(std::string_view path) {
  std::string key = LowerAscii(path);
  std::replace(key.begin(), key.end(), '/', '\\');
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  return key;
}

std::string ParentPath(std::string_view path) {
  auto pos = path.find_last_of("\\/");
  if (pos == std::string_view::npos) return std::string();
  if (pos == 2 && HasDrive(path)) return std::string(path.substr(0, 3));
  return std::string(path.substr(0, pos));
}

std::string LeafName(std::string_view path) {
  auto pos = path.find_last_of("\\/");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

}  // namespace kv::sim
