#pragma once

#include "platform/Files.h"

namespace kv {

// Files and directories through kernel32's ANSI functions.
class Win32Files : public Files {
 public:
  uint32_t CopyFile(std::string_view source, std::string_view target, bool failIfExists) override;
  uint32_t DeleteFile(std::string_view path) override;
  uint32_t GetAttributes(std::string_view path, uint32_t* attributes) override;
  uint32_t SetAttributes(std::string_view path, uint32_t attributes) override;
  uint32_t OpenExisting(std::string_view path) override;
  uint32_t ReadWholeFile(std::string_view path, std::string* contents) override;
  uint32_t CreateDirectory(std::string_view path) override;
  uint32_t DeleteAtRestart(std::string_view path) override;
  uint32_t ReplaceAtRestart(std::string_view source, std::string_view target) override;
  uint32_t ReadPendingRenames(std::vector<PendingRename>* renames) override;
  uint32_t CreateTempFile(std::string_view directory, std::string_view prefix,
                          std::string* path) override;
  uint32_t FindFiles(std::string_view pattern, std::vector<FoundFile>* found) override;
  uint32_t GetCurrentDirectory(std::string* directory) override;
  uint32_t GetSystemDirectory(std::string* directory) override;
  uint32_t GetWindowsDirectory(std::string* directory) override;
  uint32_t GetModuleFileName(std::string* path) override;
};

}  // namespace kv
