#include "config/ConfigurationPath.h"

#include "platform/Errors.h"

namespace kv {

std::string ProgramDirectory(Files& files) {
  std::string program;
  if (files.GetModuleFileName(&program) != kErrorSuccess) return {};
  size_t lastBackslash = program.rfind('\\');
  if (lastBackslash == std::string::npos) return {};
  program.resize(lastBackslash + 1);
  return program;
}

std::string ConfigurationFilePath(Files& files, std::string_view relativeName) {
  return ProgramDirectory(files) + std::string(relativeName);
}

}  // namespace kv
