#include "wizard/ApplicationName.h"

namespace kv {

std::string ApplicationName(Files& files) {
  std::string path;
  if (files.GetModuleFileName(&path) != 0) return {};
  const size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace kv
