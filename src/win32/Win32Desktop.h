#pragma once

#include "platform/Desktop.h"

namespace kv {

class Win32Desktop : public Desktop {
 public:
  bool FindTopLevelWindow(std::string_view caption) override;
  bool ActivateTopLevelWindow(std::string_view caption) override;
  uintptr_t ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int show) override;
  int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                 uint32_t style) override;
  void BroadcastIniChange(std::string_view section, uint32_t timeoutMs) override;
  void NotifyIniChange(std::string_view section) override;
};

}  // namespace kv
