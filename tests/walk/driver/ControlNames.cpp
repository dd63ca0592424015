#include "ControlNames.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kv::walk {
namespace {

// The number a define gives: decimal or 0x hex, nothing else.
bool Number(const std::string& text, int& value) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 0);
  if (*end != '\0' || parsed < 0 || parsed > 0xFFFF) return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

ControlNames::ControlNames()
    : ids_{{"IDOK", 1},     {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4},
           {"IDIGNORE", 5}, {"IDYES", 6},    {"IDNO", 7}} {}

bool ControlNames::Read(const std::string& path, std::string& error) {
  std::ifstream header(path);
  if (!header) {
    error = "cannot read the ids header " + path;
    return false;
  }
  int added = 0;
  std::string line;
  while (std::getline(header, line)) {
    std::istringstream words(line);
    std::string directive, name, value;
    words >> directive >> name >> value;
    int id = 0;
    if (directive != "#define" || !Number(value, id)) continue;
    auto known = ids_.find(name);
    if (known != ids_.end() && known->second != id) {
      error = name + " is " + std::to_string(id) + " in " + path + " but " +
              std::to_string(known->second) + " before";
      return false;
    }
    ids_[name] = id;
    ++added;
  }
  if (added == 0) {
    error = path + " defines no ids";
    return false;
  }
  headers_ += (headers_.empty() ? "" : ", ") + path;
  return true;
}

bool ControlNames::Find(const std::string& name, int& id) const {
  auto known = ids_.find(name);
  if (known == ids_.end()) return false;
  id = known->second;
  return true;
}

bool ControlNames::Resolve(const std::string& name, int& id, std::string& error) const {
  if (Find(name, id)) return true;
  int number = 0;
  if (Number(name, number)) {
    error = "control " + name + " is a number: name it as the ids header does";
  } else {
    error = "unknown control name " + name + " (ids read from: " +
            (headers_.empty() ? std::string("no header; add an ids step") : headers_) + ")";
  }
  return false;
}

}  // namespace kv::walk
