#include "sim/SimFiles.h"

#include "platform/Errors.h"
#include "profiletext/WininitText.h"
#include "sim/PathKey.h"

namespace kv::sim {
namespace {

// '*' and '?' matching of a FindFirstFile pattern's last component.
bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip) {
      if (MatchesWildcard(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' && pattern[0] != name[0]) return false;
  return MatchesWildcard(pattern.substr(1), name.substr(1));
}

// The key of a path FullPath made: such a path has no '/' and no trailing
// backslash, so that only the case is left to fold.
std::string KeyOfFull(std::string full) {
  for (char& c : full) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return full;
}

// A name the FAT file system takes as it is: up to eight characters, a dot
// and up to three more, none of them blank or reserved.
bool IsShortName(std::string_view name) {
  const size_t dot = name.find('.');
  const std::string_view stem = name.substr(0, dot);
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (stem.empty() || stem.size() > 8 || extension.size() > 3) return false;
  if (extension.find('.') != std::string_view::npos) return false;
  return name.find_first_of(" +,;=[]") == std::string_view::npos;
}

// FAT keeps short names in capitals.
std::string ShortName(std::string_view name) {
  auto letters = [](std::string_view part, size_t count) {
    std::string kept;
    for (char c : part) {
      if (kept.size() == count) break;
      if (c == ' ' || c == '.' || std::string_view("+,;=[]").find(c) != std::string_view::npos) {
        continue;
      }
      kept += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return kept;
  };
  const size_t dot = name.rfind('.');
  if (IsShortName(name)) {
    std::string upper(name);
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
  }
  std::string shortName = letters(name.substr(0, dot), 6) + "~1";
  if (dot != std::string_view::npos) {
    const std::string extension = letters(name.substr(dot + 1), 3);
    if (!extension.empty()) shortName += "." + extension;
  }
  return shortName;
}

}  // namespace

SimFiles::SimFiles(Faults& faults, SimRegistry& registry) : faults_(faults), registry_(registry) {
  AddDirectory(windowsDirectory_);
  AddDirectory(systemDirectory_);
  SetModuleFileName(moduleFileName_);
}

void SimFiles::SetModuleFileName(std::string_view path) {
  moduleFileName_ = path;
  if (!Find(path)) AddFile(path, "MZ");
}

std::string SimFiles::FullPath(std::string_view path) const {
  return sim::FullPath(path, currentDirectory_);
}

std::string SimFiles::Key(std::string_view path) const {
  return KeyOfFull(FullPath(path));
}

void SimFiles::AddDirectory(std::string_view path) {
  std::string full = FullPath(path);
  while (directories_.insert(PathKey(full)).second) {
    std::string parent = ParentPath(full);
    if (parent.empty() || parent == full) break;
    full = std::move(parent);
  }
}

SimFile& SimFiles::AddFile(std::string_view path, std::string bytes) {
  const std::string full = FullPath(path);
  std::string parent = ParentPath(full);
  // The parent of a drive path is full already: when its key is known,
  // adding it would change nothing.
  const bool drivePath = full.size() >= 3 && full[1] == ':';
  if (!drivePath || directories_.count(KeyOfFull(parent)) == 0) AddDirectory(parent);
  SimFile& file = files_[KeyOfFull(full)];
  file.path = full;
  file.bytes = std::move(bytes);
  return file;
}

void SimFiles::AddVersionedFile(std::string_view path, std::string_view fileVersion) {
  SimFile& file = AddFile(path, "MZ");
  VersionResource resource;
  resource.translations.push_back({0x0409, 0x04b0});
  resource.stringTables["040904b0"]["FileVersion"] = std::string(fileVersion);
  file.version = std::move(resource);
}

void SimFiles::MarkInUse(std::string_view path, bool inUse) {
  if (SimFile* file = Find(path)) file->inUse = inUse;
}

void SimFiles::SetWindowsDirectory(std::string_view windows, std::string_view system) {
  windowsDirectory_ = windows;
  systemDirectory_ = system;
  AddDirectory(windows);
  AddDirectory(system);
}

bool SimFiles::Exists(std::string_view path) const {
  return Find(path) != nullptr;
}

bool SimFiles::DirectoryExists(std::string_view path) const {
  return directories_.count(Key(path)) != 0;
}

const SimFile* SimFiles::Find(std::string_view path) const {
  auto it = files_.find(Key(path));
  return it == files_.end() ? nullptr : &it->second;
}

SimFile* SimFiles::Find(std::string_view path) {
  auto it = files_.find(Key(path));
  return it == files_.end() ? nullptr : &it->second;
}

uint32_t SimFiles::MissingFileError(std::string_view path) const {
  return DirectoryExists(ParentPath(FullPath(path))) ? kErrorFileNotFound : kErrorPathNotFound;
}

uint32_t SimFiles::CopyFile(std::string_view source, std::string_view target, bool failIfExists) {
  if (uint32_t e = faults_.Check(Call::CopyFile)) return e;
  const SimFile* from = Find(source);
  if (!from) return MissingFileError(source);
  if (from->inUse) return kErrorSharingViolation;
  const std::string fullTarget = FullPath(target);
  if (!DirectoryExists(ParentPath(fullTarget))) return kErrorPathNotFound;
  if (DirectoryExists(target)) return kErrorAccessDenied;
  if (SimFile* to = Find(target)) {
    if (failIfExists) return kErrorFileExists;
    if (to->inUse || to->heldBySpooler) return kErrorSharingViolation;
    if (to->attributes & (kFileAttributeReadOnly | kFileAttributeHidden)) {
      return kErrorAccessDenied;
    }
  }
  SimFile copy = *from;
  copy.path = fullTarget;
  copy.inUse = false;
  copy.heldBySpooler = false;
  copy.attributes = from->attributes | kFileAttributeArchive;
  files_[PathKey(fullTarget)] = std::move(copy);
  return kErrorSuccess;
}

uint32_t SimFiles::DeleteFile(std::string_view path) {
  if (uint32_t e = faults_.Check(Call::DeleteFile)) return e;
  SimFile* file = Find(path);
  if (!file) return MissingFileError(path);
  if (file->inUse || file->heldBySpooler) return kErrorSharingViolation;
  if (file->attributes & kFileAttributeReadOnly) return kErrorAccessDenied;
  files_.erase(Key(path));
  return kErrorSuccess;
}

uint32_t SimFiles::GetAttributes(std::string_view path, uint32_t* attributes) {
  if (uint32_t e = faults_.Check(Call::GetAttributes)) return e;
  if (DirectoryExists(path)) {
    *attributes = kFileAttributeDirectory;
    return kErrorSuccess;
  }
  const SimFile* file = Find(path);
  if (!file) return MissingFileError(path);
  *attributes = file->attributes;
  return kErrorSuccess;
}

uint32_t SimFiles::SetAttributes(std::string_view path, uint32_t attributes) {
  if (uint32_t e = faults_.Check(Call::SetAttributes)) return e;
  SimFile* file = Find(path);
  if (!file) return MissingFileError(path);
  file->attributes = attributes == kFileAttributeNormal ? 0 : attributes;
  return kErrorSuccess;
}

uint32_t SimFiles::OpenExisting(std::string_view path) {
  if (uint32_t e = faults_.Check(Call::OpenExisting)) return e;
  // No access rights requested: even a file in use opens.
  return Find(path) ? kErrorSuccess : MissingFileError(path);
}

uint32_t SimFiles::ReadWholeFile(std::string_view path, std::string* contents) {
  if (uint32_t e = faults_.Check(Call::ReadWholeFile)) return e;
  const SimFile* file = Find(path);
  if (!file) return MissingFileError(path);
  if (file->inUse) return kErrorSharingViolation;
  *contents = file->bytes;
  return kErrorSuccess;
}

uint32_t SimFiles::CreateDirectory(std::string_view path) {
  if (uint32_t e = faults_.Check(Call::CreateDirectory)) return e;
  if (DirectoryExists(path) || Find(path)) return kErrorAlreadyExists;
  const std::string full = FullPath(path);
  if (!DirectoryExists(ParentPath(full))) return kErrorPathNotFound;
  directories_.insert(PathKey(full));
  return kErrorSuccess;
}

std::optional<std::string> SimFiles::ShortPath(std::string_view path) const {
  const SimFile* file = Find(path);
  if (!file) return std::nullopt;
  // "X:" and then every name of the path as first written.
  std::string_view rest(file->path);
  std::string shortPath(rest.substr(0, 2));
  rest.remove_prefix(3);
  while (!rest.empty()) {
    const size_t slash = rest.find('\\');
    shortPath += "\\" + ShortName(rest.substr(0, slash));
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  }
  return shortPath;
}

void SimFiles::RecordAtRestart(const std::string& source, const std::string& target) {
  std::string pending;
  if (const SimValue* value =
          registry_.ValueAt(RegRoot::LocalMachine, kPendingRemovalsKey, kPendingRemovalsValue)) {
    pending = value->data;
    if (!pending.empty() && pending.back() == '\0') pending.pop_back();
  }
  pending += source + '\0' + target + '\0' + '\0';
  registry_.SetValueAt(RegRoot::LocalMachine, kPendingRemovalsKey, kPendingRemovalsValue,
                       kRegMultiSz, pending);
}

uint32_t SimFiles::DeleteAtRestart(std::string_view path) {
  if (uint32_t e = faults_.Check(Call::DeleteAtRestart)) return e;
  if (!ninetyFive_) {
    // MoveFileExA records the NT path; an empty target means removal.
    RecordAtRestart("\\??\\" + FullPath(path), "");
    return kErrorSuccess;
  }
  const std::optional<std::string> shortPath = ShortPath(path);
  if (!shortPath) return MissingFileError(path);
  const std::string wininit = windowsDirectory_ + "\\WININIT.INI";
  std::string text;
  if (const SimFile* existing = Find(wininit)) {
    if (existing->inUse) return kErrorSharingViolation;
    text = existing->bytes;
  }
  AddFile(wininit, WithPendingRemoval(text, *shortPath));
  return kErrorSuccess;
}

uint32_t SimFiles::ReplaceAtRestart(std::string_view source, std::string_view target) {
  if (uint32_t e = faults_.Check(Call::ReplaceAtRestart)) return e;
  if (ninetyFive_) return kErrorCallNotImplemented;
  RecordAtRestart("\\??\\" + FullPath(source), "!\\??\\" + FullPath(target));
  return kErrorSuccess;
}

uint32_t SimFiles::ReadPendingRenames(std::vector<PendingRename>* renames) {
  if (uint32_t e = faults_.Check(Call::ReadPendingRenames)) return e;
  std::vector<PendingRename> found;
  const SimValue* value =
      ninetyFive_
          ? nullptr
          : registry_.ValueAt(RegRoot::LocalMachine, kPendingRemovalsKey, kPendingRemovalsValue);
  if (value) {
    std::vector<std::string> strings;
    for (size_t at = 0; at < value->data.size();) {
      size_t end = value->data.find('\0', at);
      if (end == std::string::npos) end = value->data.size();
      strings.push_back(value->data.substr(at, end - at));
      at = end + 1;
    }
    auto dosPath = [](std::string_view recorded) {
      if (recorded.substr(0, 4) == "\\??\\") recorded.remove_prefix(4);
      return std::string(recorded);
    };
    for (size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
      std::string_view target = strings[i + 1];
      const bool replace = !target.empty() && target.front() == '!';
      if (replace) target.remove_prefix(1);
      found.push_back(PendingRename{dosPath(strings[i]), dosPath(target), replace});
    }
  }
  *renames = std::move(found);
  return kErrorSuccess;
}

uint32_t SimFiles::CreateTempFile(std::string_view directory, std::string_view prefix,
                                  std::string* path) {
  if (uint32_t e = faults_.Check(Call::CreateTempFile)) return e;
  const std::string full = FullPath(directory);
  if (!DirectoryExists(full)) return kErrorDirectory;
  static constexpr char kHex[] = "0123456789ABCDEF";
  // The low 16 bits of a running number, as Windows uses; every name taken
  // is the last case.
  for (int tried = 0; tried <= 0xFFFF; ++tried) {
    std::string number;
    for (uint32_t n = nextTempNumber_++ & 0xFFFF; n != 0 || number.empty(); n >>= 4) {
      number.insert(number.begin(), kHex[n & 0xF]);
    }
    const std::string candidate = full + "\\" + std::string(prefix.substr(0, 3)) + number + ".TMP";
    if (Find(candidate) || DirectoryExists(candidate)) continue;
    AddFile(candidate);
    *path = candidate;
    return kErrorSuccess;
  }
  return kErrorFileExists;
}

uint32_t SimFiles::FindFiles(std::string_view pattern, std::vector<FoundFile>* found) {
  if (uint32_t e = faults_.Check(Call::FindFiles)) return e;
  const std::string full = FullPath(pattern);
  std::string directory = PathKey(ParentPath(full));
  if (!DirectoryExists(directory)) return kErrorPathNotFound;
  std::string leafPattern = LowerAscii(LeafName(full));
  std::vector<FoundFile> matches;
  for (const auto& [key, file] : files_) {
    if (ParentPath(key) != directory) continue;
    if (MatchesWildcard(leafPattern, LeafName(key))) {
      matches.push_back({LeafName(file.path), file.attributes});
    }
  }
  if (matches.empty()) return kErrorFileNotFound;
  *found = std::move(matches);
  return kErrorSuccess;
}

uint32_t SimFiles::GetCurrentDirectory(std::string* directory) {
  if (uint32_t e = faults_.Check(Call::GetCurrentDirectory)) return e;
  *directory = currentDirectory_;
  return kErrorSuccess;
}

uint32_t SimFiles::GetSystemDirectory(std::string* directory) {
  if (uint32_t e = faults_.Check(Call::GetSystemDirectory)) return e;
  *directory = systemDirectory_;
  return kErrorSuccess;
}

uint32_t SimFiles::GetWindowsDirectory(std::string* directory) {
  if (uint32_t e = faults_.Check(Call::GetWindowsDirectory)) return e;
  *directory = windowsDirectory_;
  return kErrorSuccess;
}

uint32_t SimFiles::GetModuleFileName(std::string* path) {
  if (uint32_t e = faults_.Check(Call::GetModuleFileName)) return e;
  *path = moduleFileName_;
  return kErrorSuccess;
}

}  // namespace kv::sim
