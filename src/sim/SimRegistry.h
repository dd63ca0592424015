#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "sim/Faults.h"

namespace kv::sim {

struct SimValue {
  std::string name;  // as written
  uint32_t type = kRegNone;
  std::string data;
};

struct SimKey {
  std::string name;                       // as created
  std::map<std::string, SimKey> subkeys;  // by lower-cased name
  std::vector<SimValue> values;           // in creation order, as RegEnumValue lists them
};

// The simulated registry: three roots, case-insensitive names, typed values.
// A handle names its key by path; once that key is deleted, calls on the handle
// fail with kErrorKeyDeleted. Paths read as Windows reads them: runs of
// backslashes inside a path and at its end count as one or none, and a path
// that starts with a backslash is refused with kErrorBadPathname.
class SimRegistry : public Registry {
 public:
  explicit SimRegistry(Faults& faults);

  // Arrangement and inspection, by path ("SOFTWARE\KORVANT\PORTNAME").
  void CreateKeyPath(RegRoot root, std::string_view path);
  void SetValueAt(RegRoot root, std::string_view path, std::string_view name, uint32_t type,
                  std::string_view data);
  void SetDwordAt(RegRoot root, std::string_view path, std::string_view name, uint32_t value);
  void SetStringAt(RegRoot root, std::string_view path, std::string_view name,
                   std::string_view text);
  bool KeyExists(RegRoot root, std::string_view path) const;
  const SimValue* ValueAt(RegRoot root, std::string_view path, std::string_view name) const;
  std::optional<uint32_t> DwordAt(RegRoot root, std::string_view path, std::string_view name) const;
  std::optional<std::string> StringAt(RegRoot root, std::string_view path,
                                      std::string_view name) const;
  void DeleteKeyTree(RegRoot root, std::string_view path);
  // Windows 95, 98 and Me: DeleteKey removes a key with its subkeys.
  void SetDeleteRemovesSubkeys(bool removes) { deleteRemovesSubkeys_ = removes; }
  size_t OpenHandleCount() const { return handles_.size(); }

  // Registry.
  uint32_t OpenKey(RegRoot root, std::string_view path, RegHandle* key) override;
  uint32_t CreateKey(RegRoot root, std::string_view path, RegHandle* key) override;
  uint32_t CloseKey(RegHandle key) override;
  uint32_t QueryValue(RegHandle key, std::string_view name, uint32_t* type,
                      std::string* data) override;
  uint32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                    std::string_view data) override;
  uint32_t DeleteValue(RegHandle key, std::string_view name) override;
  uint32_t EnumValue(RegHandle key, uint32_t index, std::string* name, uint32_t* type) override;
  uint32_t EnumKey(RegHandle key, uint32_t index, std::string* name) override;
  uint32_t DeleteKey(RegRoot root, std::string_view path) override;

 private:
  struct OpenKeyRecord {
    RegRoot root;
    std::vector<std::string> path;  // lower-cased components
  };

  SimKey& Root(RegRoot root);
  const SimKey* Resolve(RegRoot root, const std::vector<std::string>& path) const;
  SimKey* Resolve(RegRoot root, const std::vector<std::string>& path);
  SimKey* ResolveHandle(RegHandle key);
  SimKey& CreatePath(RegRoot root, std::string_view path);
  static bool StartsAtRoot(std::string_view path);
  static std::vector<std::string> SplitPath(std::string_view path);

  Faults& faults_;
  SimKey localMachine_, currentUser_, users_;
  std::map<RegHandle, OpenKeyRecord> handles_;
  RegHandle nextHandle_ = 0x100;
  bool deleteRemovesSubkeys_ = false;
};

}  // namespace kv::sim
